#!/usr/bin/env bash
# Fuzzes the readers of the game's files with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer: tables with their memo files and indexes (dbftable), settings files
# (settingsfile) and catalog source texts (catalogsource). The harnesses run one after the other on
# one core, each on a fresh copy of its seed corpus from fuzz/corpus/.
#
# Usage: scripts/fuzz.sh [seconds-per-harness] [harness...]     (default: 60 seconds, every harness)
#        scripts/fuzz.sh --runs N [--jobs J] [harness...]
#          runs exactly N inputs per harness, shared out over J processes (default: every core) that
#          work on one corpus; prints the executions and the time they took.
#
# Fails when a harness finds something (crash, sanitizer report, leak, hang, huge allocation or a
# broken promise of a reader); the input that did it is kept in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

all_harnesses=(dbftable settingsfile catalogsource)
seconds=60
runs_total=0
jobs=1
if [ "${1:-}" = --runs ]; then
  runs_total=${2:-}
  shift 2 || true
  jobs=$(nproc)
  if [ "${1:-}" = --jobs ]; then
    jobs=${2:-}
    shift 2 || true
  fi
  if ! [[ $runs_total =~ ^[1-9][0-9]*$ && $jobs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh --runs N [--jobs J] [${all_harnesses[*]}]" >&2
    exit 2
  fi
elif [ $# -gt 0 ]; then
  seconds=$1
  shift
fi
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

# One fuzzing process: either for a time or for a number of inputs. Its log shows what it did.
fuzz_one() {
  local h=$1 limit=$2 log=$3
  "$dir/fuzz/fuzz_$h" "$limit" -max_len="${max_len[$h]}" -timeout=10 -malloc_limit_mb=512 \
    -print_final_stats=1 -artifact_prefix="$dir/findings/$h-" "$work/corpus" >"$log" 2>&1
}

executed() {
  sed -n 's/^stat::number_of_executed_units: *//p' "$@" | awk '{ n += $1 } END { print n + 0 }'
}

mkdir -p "$dir/run" "$dir/findings"
failed=()
for h in "${harnesses[@]}"; do
  work="$dir/run/$h"
  rm -rf "$work"
  mkdir -p "$work"
  cp -r "fuzz/corpus/$h" "$work/corpus"
  status=0
  started=$(date +%s)
  if [ "$runs_total" -eq 0 ]; then
    fuzz_one "$h" -max_total_time="$seconds" "$work/fuzz.log" || status=$?
  else
    pids=()
    for ((j = 0; j < jobs; j++)); do
      share=$((runs_total / jobs + (j < runs_total % jobs ? 1 : 0)))
      fuzz_one "$h" -runs="$share" "$work/fuzz.log.$j" &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || status=$?; done
    cat "$work"/fuzz.log.* >"$work/fuzz.log"
  fi
  elapsed=$(($(date +%s) - started))
  if [ "$status" -eq 0 ]; then
    echo "fuzz $h: $(executed "$work"/fuzz.log) executions in $elapsed s on $jobs core(s), nothing found"
  else
    echo "fuzz $h: FOUND SOMETHING (exit $status); log $work/fuzz.log, input in $dir/findings/:" >&2
    grep -E 'ERROR|SUMMARY|Property violated|Test unit written' "$work/fuzz.log" >&2 || tail -n 30 "$work/fuzz.log" >&2
    failed+=("$h")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing found faults in: ${failed[*]}" >&2; exit 1; }
