#!/usr/bin/env bash
# Builds the Debian package of the two programs and prints its path. Without BUILD_DIR it uses a
# build folder of its own, build-deb/, without tests and benchmarks, so that only what the package
# holds is compiled; CI gives BUILD_DIR=build, where everything is built already.
#   scripts/package.sh          then: sudo apt install ./build-deb/estocarium_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-deb}

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    export CCACHE_BASEDIR="$PWD"
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DESTOCARIUM_TESTS=OFF -DESTOCARIUM_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$BUILD_DIR" --target package >&2
realpath "$BUILD_DIR"/estocarium_*.deb
