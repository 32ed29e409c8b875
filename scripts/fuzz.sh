#!/usr/bin/env bash
# Fuzzes the readers of the game's files with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer: tables with their memo files and indexes (dbftable), settings files
# (settingsfile) and catalog source texts (catalogsource). The harnesses run one after the other on
# one core, each on a fresh copy of its seed corpus from fuzz/corpus/.
#
# Usage: scripts/fuzz.sh [seconds-per-harness] [harness...]     (default: 60 seconds, every harness)
#
# Fails when a harness finds something (crash, sanitizer report, leak, hang, huge allocation or a
# broken promise of a reader); the input that did it is kept in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

all_harnesses=(dbftable settingsfile catalogsource)
seconds=${1:-60}
[ $# -gt 0 ] && shift
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=("${all_harnesses[@]}")

if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds-per-harness] [${all_harnesses[*]}]" >&2
  exit 2
fi
for h in "${harnesses[@]}"; do
  if [[ " ${all_harnesses[*]} " != *" $h "* ]]; then
    echo "unknown harness: $h (known: ${all_harnesses[*]})" >&2
    exit 2
  fi
done

# Inputs longer than a table, a settings file or a catalog snippet needs only make the runs slower.
declare -A max_len=([dbftable]=4096 [settingsfile]=512 [catalogsource]=1024)

scripts/install-deps.sh build

dir=build/fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DBRIMORA_FUZZ=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target "${harnesses[@]/#/fuzz_}"

# A small quarantine and no filling of new blocks keep the sanitizers fast enough for thousands of
# runs a second; every heap error is still found.
export ASAN_OPTIONS=quarantine_size_mb=8:max_malloc_fill_size=0
export UBSAN_OPTIONS=print_stacktrace=1

mkdir -p "$dir/run" "$dir/findings"
failed=()
for h in "${harnesses[@]}"; do
  work="$dir/run/$h"
  rm -rf "$work"
  mkdir -p "$work"
  cp -r "fuzz/corpus/$h" "$work/corpus"
  log="$work/fuzz.log"
  status=0
  "$dir/fuzz/fuzz_$h" -max_total_time="$seconds" -max_len="${max_len[$h]}" -timeout=10 -malloc_limit_mb=512 \
    -print_final_stats=1 -artifact_prefix="$dir/findings/$h-" "$work/corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ "$status" -eq 0 ]; then
    echo "fuzz $h: ${runs:-?} executions in $seconds s, nothing found"
  else
    echo "fuzz $h: FOUND SOMETHING (exit $status); log $log, input in $dir/findings/:" >&2
    grep -E 'ERROR|SUMMARY|Property violated|Test unit written' "$log" >&2 || tail -n 30 "$log" >&2
    failed+=("$h")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing found faults in: ${failed[*]}" >&2; exit 1; }
