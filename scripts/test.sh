#!/usr/bin/env bash
# Installs what is missing, builds the game, its tools and tests, and runs every test offscreen:
# once in a normal build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build

jobs=$(nproc)
build_and_test() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

build_and_test build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
build_and_test build/asan -DCMAKE_BUILD_TYPE=Debug -DBRIMORA_SANITIZE=ON

# Every reader of the game's files under libFuzzer, about a minute each.
scripts/fuzz.sh 60
