#!/usr/bin/env bash
# CI's whole run (.ci/run), also the developer's: checks the format of the C++ sources and the
# direction of their includes, sets everything up and builds with warnings as errors, builds the
# sanitizer build (build-asan/: AddressSanitizer and UndefinedBehaviorSanitizer), builds, checks and
# tries the Debian package, and runs every test through ctest in build/ and again in build-asan/.
# Each test program that needs a Firebird server starts a private one of its own and stops it.
#   scripts/test.sh            everything
#   scripts/test.sh -R users   ctest's arguments: those tests in both builds, without the package check
# Nothing may skip here: a test that needs something missing fails (ESTOCARIUM_REQUIRE_ALL=1).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh --packages-only
scripts/format-check.sh
scripts/check-layers.sh
ESTOCARIUM_WERROR=ON scripts/setup.sh

export CCACHE_BASEDIR="$root"
# Without -Werror: GCC advises against it together with the sanitizers, whose instrumentation
# brings warnings of its own; the warnings are build/'s to check.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DESTOCARIUM_SANITIZE=ON \
    -DESTOCARIUM_BENCHMARKS=OFF >/dev/null
cmake --build build-asan

export ESTOCARIUM_REQUIRE_ALL=${ESTOCARIUM_REQUIRE_ALL:-1}

# Runs ctest in a build folder, whose programs the end-to-end tests then run. A test function that
# skipped anyway (a QSKIP outside tests/support/MissingRequirement.h) fails the run, named with its
# reason: ctest's record of every test's whole output is searched for Qt Test's SKIP lines.
run_tests() {
    local folder=$root/$1
    shift
    local results=$folder/ctest-results.xml
    rm -f "$results"
    echo "== tests in $folder"
    (cd "$folder" && ESTOCARIUM_PROGRAM_DIR=$folder ctest --output-on-failure --timeout 900 \
        --output-junit "$results" --test-output-size-passed 16777216 "$@")
    local skipped
    skipped=$(awk '/<testcase /   { match($0, /name="[^"]*"/); test = substr($0, RSTART + 6, RLENGTH - 7) }
                   /SKIP   : /    { sub(/.*SKIP   : /, ""); print "  " test ": " $0 }' "$results")
    if [ -n "$skipped" ] && [ "$ESTOCARIUM_REQUIRE_ALL" != 0 ]; then
        printf 'Tests skipped under CI (ESTOCARIUM_REQUIRE_ALL), where nothing may be missing:\n%s\n' \
            "$skipped" >&2
        return 1
    fi
}

# A server that refuses a login tells the client only "Error occurred during login"; the cause is
# in the machine's Firebird log, where the private servers write too. What the run added to it is
# shown when the run fails. (A trap, since a function called from a condition runs without set -e.)
firebird_log=/var/log/firebird/firebird3.0.log
firebird_log_start=$(stat -c %s "$firebird_log" 2>/dev/null || echo 0)
show_firebird_log() {
    [ -r "$firebird_log" ] || return 0
    echo "== the Firebird log during this run (its last 100 lines, blank lines left out)"
    tail -c +$((firebird_log_start + 1)) "$firebird_log" | grep -v '^[[:space:]]*$' | tail -n 100
}
trap 'status=$?; [ "$status" = 0 ] || show_firebird_log; exit "$status"' EXIT

# The package is checked first, so that ctest's summaries end the output.
[ $# -gt 0 ] || scripts/package-check.sh
run_tests build "$@"
run_tests build-asan "$@"
