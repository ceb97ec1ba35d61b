#!/usr/bin/env bash
# Sets the machine up, builds the downloads (scripts/dist.sh), then builds and runs every test
# (unit, drawing, soak and end-to-end) with ctest twice: in build/ as the game ships, with the
# downloads' own cases, and in build-asan/ under AddressSanitizer and UndefinedBehaviorSanitizer,
# without them, since the downloads are built without the sanitizers. The last line is
# "N passed, N failed" over both; the exit status is non-zero when a test failed or none ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"

passed=0
failed=0
status=0
# A download that fails to build also fails its cases below.
"$root/scripts/dist.sh" || status=1

# run_suite DIR CTEST_ARGS CMAKE_ARGS...: configure, build and test one build directory.
run_suite() {
    local build="$root/$1" ctest_args=$2 log summary total bad
    shift 2
    cmake -S "$root" -B "$build" -DGAME_TESTS=ON "$@"
    cmake --build "$build" -j"$(nproc)"
    log="$build/ctest.log"
    # The unit tests run beside the end-to-end ones, which take turns (RESOURCE_LOCK).
    (cd "$build" && ctest -j2 --timeout 600 --output-on-failure $ctest_args) </dev/null 2>&1 | tee "$log" ||
        status=1
    summary=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
    if [ -z "$summary" ]; then
        echo "ctest reported no results in $build"
        status=1
        return
    fi
    bad=$(echo "$summary" | awk '{ print $1 }')
    total=$(echo "$summary" | awk '{ print $NF }')
    [ "$total" -gt 0 ] || status=1
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

run_suite build "" -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite build-asan "-LE dist" -DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON

echo "$passed passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
