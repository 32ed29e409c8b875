#!/bin/sh
# Builds the benchmarks in release mode and runs them; prints one figure per line.
# SOURCE_DIR and BUILD_DIR may be given; JOBS sets the build's parallel jobs (default 2).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source_dir=${SOURCE_DIR:-$(dirname "$here")}
build_dir=${BUILD_DIR:-$source_dir/build/bench}
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" --target bench_random bench_selection bench_import bench_chooser -j "${JOBS:-2}" >/dev/null
"$build_dir/bench/bench_random"
"$build_dir/bench/bench_selection"
"$build_dir/bench/bench_import"
"$build_dir/bench/bench_chooser"
