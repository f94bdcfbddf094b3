#!/bin/sh
# Rebuilds the pictures and icons in assets/ and packaging/icons/ from make-assets.cpp (needs the Qt 6 development packages
# and fonts-liberation). Usage: scripts/make-assets.sh [build folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-"$root/build-assets"}
mkdir -p "$build"
# shellcheck disable=SC2046 # pkg-config prints several flags
g++ -std=c++20 -O1 -fPIC -Wall -Wextra -o "$build/make-assets" "$here/make-assets.cpp" \
    $(pkg-config --cflags --libs Qt6Gui)
"$build/make-assets" "$root/assets" "$root/packaging/icons"
