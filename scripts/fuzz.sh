#!/usr/bin/env bash
# Coverage-guided fuzzing (libFuzzer, clang) of the casts and the collide-and-slide movement,
# for a fixed time. Usage: scripts/fuzz.sh [seconds]   (default 600)
# The corpus grows in build-fuzz/corpus; a failing input is written to build-fuzz/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGAME_TESTS=OFF -DGAME_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target collision_fuzz >/dev/null
mkdir -p "$build/corpus"
cd "$build"
./collision_fuzz -max_total_time="${1:-600}" -print_final_stats=1 corpus
