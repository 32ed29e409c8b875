#!/bin/sh
# Builds the picture generator and paints every picture into resources/images/.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../resources/images"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O1 -fPIC -o "$tmp/make_pictures" "$here/make_pictures.cpp" \
    $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$tmp/make_pictures" "$out"
