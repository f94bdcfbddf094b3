#!/usr/bin/env bash
# CI's whole run (.ci/run), also the developer's: checks the format of the C++ sources and the
# direction of their includes, sets everything up and builds build/ with warnings as errors, runs
# build/'s tests while it builds the sanitizer build (build-asan/: AddressSanitizer and
# UndefinedBehaviorSanitizer), then build-asan/'s tests while it builds, checks and tries the Debian
# package. Each test program that needs a Firebird server starts a private one of its own.
#   scripts/test.sh              everything, as CI runs it
#   scripts/test.sh -L unit      ctest's arguments: those tests in build/ alone, after building only
#                                them and the two programs; no format, layer or package check and
#                                no sanitizer build (scripts/format-check.sh and check-layers.sh
#                                take seconds alone)
#   ESTOCARIUM_SANITIZE=1 scripts/test.sh -R users   the same tests in build-asan/ too
# The tests carry ctest labels (tests/CMakeLists.txt): unit, window, server, e2e, fault.
# build-asan/ runs every test but the e2e ones (unit, window, server, fault): those run the real
# programs, estocarium on a virtual X display and estocarium-db through many commands, and spend
# their minutes starting processes and waiting on windows and on the fault matrix's 20 s bounds;
# the sanitizers reach the same code through the other labels, which run it in their own process,
# and the sanitized estocarium-db through the tests that start it once or kill it (the users
# report, the interrupted updates).
# ESTOCARIUM_TEST_JOBS (default 4) tests run at once: they mostly wait on servers, engines and
# timers, and each keeps to folders, ports and displays of its own.
# Nothing may skip here: a test that needs something missing fails (ESTOCARIUM_REQUIRE_ALL=1).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${ESTOCARIUM_TEST_JOBS:-4}
sanitizer_selection=(-LE e2e)
export CCACHE_BASEDIR="$root"
export ESTOCARIUM_REQUIRE_ALL=${ESTOCARIUM_REQUIRE_ALL:-1}

# How long each stage took, said when it ends.
stage_start=$SECONDS
stage_done() {
    echo "== $1: $((SECONDS - stage_start)) s"
    stage_start=$SECONDS
}

# The test programs ctest would run for the given selection, as build targets
# (tests/<folder>/tst_<name>.cpp is the target tst_<folder>_<name>, run as <folder>.<name>, or in
# parts as <folder>.<name>:<k>of<n>).
test_targets() {
    (cd "$1" && shift && ctest -N "$@") |
        awk '$1 == "Test" && $2 ~ /^#/ { sub(/:.*/, "", $3); print "tst_" $3 }' | tr './' '__' | sort -u
}

# Runs ctest in a build folder, whose programs the end-to-end tests then run. A test function that
# skipped anyway (a QSKIP outside tests/support/MissingRequirement.h) fails the run, named with its
# reason: ctest's record of every test's whole output is searched for Qt Test's SKIP lines.
run_tests() {
    local folder=$root/$1
    shift
    local results=$folder/ctest-results.xml
    rm -f "$results"
    echo "== tests in $folder"
    # Its status is kept by hand: called from a condition, a function runs without set -e.
    local status=0
    (cd "$folder" && ESTOCARIUM_PROGRAM_DIR=$folder ctest --output-on-failure --timeout 900 -j "$jobs" \
        --output-junit "$results" --test-output-size-passed 16777216 "$@") || status=$?
    [ -f "$results" ] || return "$status"
    local skipped
    skipped=$(awk '/<testcase /   { match($0, /name="[^"]*"/); test = substr($0, RSTART + 6, RLENGTH - 7) }
                   /SKIP   : /    { sub(/.*SKIP   : /, ""); print "  " test ": " $0 }' "$results")
    if [ -n "$skipped" ] && [ "$ESTOCARIUM_REQUIRE_ALL" != 0 ]; then
        printf 'Tests skipped under CI (ESTOCARIUM_REQUIRE_ALL), where nothing may be missing:\n%s\n' \
            "$skipped" >&2
        status=1
    fi
    return "$status"
}

# The sanitizer build, without -Werror: GCC advises against it together with the sanitizers, whose
# instrumentation brings warnings of its own; the warnings are build/'s to check. Only the programs
# and the test programs it runs are built.
build_sanitized() {
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DESTOCARIUM_SANITIZE=ON \
        -DESTOCARIUM_BENCHMARKS=OFF >/dev/null
    # shellcheck disable=SC2046 # one target a word
    cmake --build build-asan --target estocarium estocarium-db $(test_targets build-asan "$@")
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

scripts/setup.sh --packages-only
stage_done packages

if [ $# -gt 0 ]; then
    # The inner loop: the two programs (the end-to-end tests and several others run them) and the
    # chosen tests, then those tests.
    ESTOCARIUM_WERROR=ON scripts/setup.sh estocarium estocarium-db
    chosen=$(test_targets build "$@")
    # shellcheck disable=SC2086 # one target a word
    [ -z "$chosen" ] || cmake --build build --target $chosen
    stage_done build
    run_tests build "$@"
    stage_done "tests in build/"
    if [ "${ESTOCARIUM_SANITIZE:-0}" != 0 ]; then
        build_sanitized "$@"
        stage_done build-asan
        run_tests build-asan "$@"
        stage_done "tests in build-asan/"
    fi
    exit 0
fi

scripts/format-check.sh
scripts/check-layers.sh
stage_done "format and layers"
ESTOCARIUM_WERROR=ON scripts/setup.sh
stage_done "build/ with -Werror"

# While build/'s tests run, which mostly wait, the sanitizer build uses the processors, at a lower
# priority than the tests; then the package is checked while build-asan/'s tests run (not beside
# build/'s: it runs two of build/'s end-to-end programs, whose folders ctest's would share). A
# background stage's output is shown when it has ended.
mkdir -p build/ci
(
    renice -n 10 -p "$BASHPID" >/dev/null
    build_sanitized "${sanitizer_selection[@]}"
) >build/ci/build-asan.log 2>&1 &
sanitized_build=$!

# Waits for a background stage and shows its output; its failure ends the run.
finish() {
    local status=0
    wait "$1" || status=$?
    echo "== $2 (its output)"
    cat "$3"
    if [ "$status" != 0 ]; then
        echo "$2 failed" >&2
        exit "$status"
    fi
}

tests_status=0
run_tests build || tests_status=$?
stage_done "tests in build/, beside building build-asan/"
finish "$sanitized_build" "build-asan/" build/ci/build-asan.log
stage_done "rest of build-asan/"
[ "$tests_status" = 0 ] || exit "$tests_status"

nice -n 10 scripts/package-check.sh >build/ci/package-check.log 2>&1 &
package_check=$!
sanitized_status=0
run_tests build-asan "${sanitizer_selection[@]}" || sanitized_status=$?
stage_done "tests in build-asan/, beside the package check"
finish "$package_check" "package check" build/ci/package-check.log
stage_done "rest of the package check"
exit "$sanitized_status"
