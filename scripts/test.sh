#!/usr/bin/env bash
# Sets the machine up, builds the downloads (scripts/dist.sh), then builds and runs every test
# (unit, drawing, soak and end-to-end) with ctest twice: in build/ as the game ships, with the
# downloads' own cases, and in build-asan/ under AddressSanitizer and UndefinedBehaviorSanitizer,
# without them, since the downloads are built without the sanitizers. Then the unit tests once
# more in each other build the game's arithmetic must agree with (unit.windows, unit.wasm,
# unit.arm64, unit.clang-fma).
# The last line is "N passed, N failed, N skipped" over all; the exit status is non-zero when a
# test failed or none ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"

passed=0
failed=0
skipped=0
status=0
# A download that fails to build also fails its cases below.
"$root/scripts/dist.sh" || status=1

# run_suite DIR CTEST_ARGS CMAKE_ARGS...: configure, build and test one build directory.
run_suite() {
    local build="$root/$1" ctest_args=$2 log summary total bad skip
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
    skip=$(grep -c '(Skipped)$' "$log" || true)
    [ "$total" -gt 0 ] || status=1
    passed=$((passed + total - bad - skip))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
}

run_suite build "" -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite build-asan "-LE dist" -DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON

# The same unit tests where the game must compute the same bits: the Windows program's build under
# wine, the web's under node, and clang for x86-64-v3, which would fuse multiply-adds if the build
# let it (skipped on a processor without FMA).
run_suite build-unit-windows "" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_UNIT_SUITE=windows \
    -DCMAKE_TOOLCHAIN_FILE="$root/packaging/mingw-w64-x86_64.cmake" -DGAME_STATIC=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} # Debian's Emscripten needs its modules
run_suite build-unit-wasm "" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_UNIT_SUITE=wasm \
    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
# 64-bit ARM Linux, cross-built, under qemu on the C library of Debian's arm64 packages (.deps/arm64):
# GCC for aarch64 fuses multiply-adds unless told not to. Emulated, the soak's 300,000 ticks take
# half a minute to a minute; a tenth of them here, since the scripted game's digests pin the same
# bits in full and the soak's full length runs in the other builds.
run_suite build-unit-arm64 "" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_UNIT_SUITE=arm64 \
    -DCMAKE_TOOLCHAIN_FILE="$root/packaging/aarch64-linux-gnu.cmake" -DGAME_STATIC=ON \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=env;SOAK_TICKS=30000;qemu-aarch64;-L;$root/.deps/arm64"
fma='grep -qw fma /proc/cpuinfo && grep -qw avx2 /proc/cpuinfo && exec "$@" || (echo "no FMA on this processor" && exit 77)'
run_suite build-unit-clang-fma "" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_UNIT_SUITE=clang-fma \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_FLAGS=-march=x86-64-v3 \
    -DCMAKE_CXX_FLAGS=-march=x86-64-v3 "-DCMAKE_CROSSCOMPILING_EMULATOR=sh;-c;$fma;fma-check"

echo "$passed passed, $failed failed, $skipped skipped"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
