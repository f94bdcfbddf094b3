#!/usr/bin/env bash
# Installs the Debian packages the project needs (once) and builds into build/ the targets given
# (scripts/demo.sh asks for the two programs alone), or everything; --packages-only stops after the
# packages.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
    cmake ninja-build g++ ccache pkg-config mold
    qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev qt6-translations-l10n
    firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
    fonts-liberation
    fonts-urw-base35 aglfn # Helvetica's widths and glyph names, read by the build
    xvfb xauth x11-utils imagemagick poppler-utils xdotool openbox
    dpkg-dev lintian desktop-file-utils appstream man-db
    clang-format # scripts/format-check.sh
    galculator # what the "Calculadora" tool button starts
    libcups2-dev # the print queue asked whether it takes the job
    libjpeg-dev # pictures decoded without Qt GUI, so that estocarium-db runs without it
    cups-daemon cups-client xclip # the fault matrix: a private print service, message boxes' texts read back
)

missing=()
for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[ "${1:-}" != --packages-only ] || exit 0

# Compiler cache keyed on paths relative to the checkout, so clones and work trees share it.
export CCACHE_BASEDIR="$PWD"
# ESTOCARIUM_WERROR=ON (scripts/test.sh) makes warnings errors; the folder keeps the setting.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${ESTOCARIUM_WERROR:+-DESTOCARIUM_WERROR=$ESTOCARIUM_WERROR} >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build --target "$@"
else
    cmake --build build
fi
