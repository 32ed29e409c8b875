#!/usr/bin/env bash
# Installs the Debian packages the game needs, and only those that are missing.
# Usage: scripts/install-deps.sh [build|run|all]
#   build  what building and testing need (default)
#   run    build + what starting the game in a real window needs
#   all    everything, also the screenshot tools
set -euo pipefail

build_pkgs=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev libqt6svg6
            fonts-liberation2 fonts-dejavu-core python3-dbf python3-dbfread
            clang libclang-rt-14-dev imagemagick)
run_pkgs=(qt6-qpa-plugins)
shot_pkgs=(xvfb xauth xdotool)

case "${1:-build}" in
  build) wanted=("${build_pkgs[@]}") ;;
  run)   wanted=("${build_pkgs[@]}" "${run_pkgs[@]}") ;;
  all)   wanted=("${build_pkgs[@]}" "${run_pkgs[@]}" "${shot_pkgs[@]}") ;;
  *) echo "unknown set: $1" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -o DPkg::Lock::Timeout=300
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=300 "${missing[@]}"
