#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) and starts it in the player's data directory
# (BRIMORA_DATA_DIR, default ~/Brimora). The demo data built with the game is copied there when
# that directory holds no catalog yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh run

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j "$(nproc)"

data_dir=${BRIMORA_DATA_DIR:-"$HOME/Brimora"}
mkdir -p "$data_dir"
if [ -d build/release/demo-data ] && ! ls "$data_dir" | grep -qi '^quiz\.quz$'; then
  cp -r build/release/demo-data/. "$data_dir"/
fi
cd "$data_dir"
exec "$root/build/release/src/brimora"
