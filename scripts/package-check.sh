#!/usr/bin/env bash
# CI's check of the Debian package, run by scripts/test.sh after the tests: builds it in build/,
# checks it with lintian (no errors), desktop-file-validate and appstreamcli, then installs it on this
# machine, runs the end-to-end sign-in and the command-line tests against /usr/bin, and removes it.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(BUILD_DIR=build scripts/package.sh)
echo "package: $deb"
lintian --fail-on error --info "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml

# A package that was there before is left as it was; the one installed here goes again.
if dpkg-query -W -f='${Status}' estocarium 2>/dev/null | grep -q "install ok installed"; then
    echo "estocarium is already installed on this machine: not testing the installed package" >&2
    exit 1
fi
trap 'rm -rf "$unpacked"; dpkg --purge estocarium >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
man -w estocarium estocarium-db >/dev/null
# The test programs run directly, not through ctest, so that the suite's ctest summary stays the last.
export ESTOCARIUM_PROGRAM_DIR=/usr/bin
for test in tst_e2e_commandline tst_e2e_program; do
    timeout 600 "build/tests/$test" -silent
done
