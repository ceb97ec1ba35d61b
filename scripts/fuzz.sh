#!/usr/bin/env bash
# Coverage-guided fuzzing (libFuzzer, clang), each target for a fixed time: the casts and the
# collide-and-slide movement (collision_fuzz), then random play through the game's entry points
# (input_fuzz). Usage: scripts/fuzz.sh [seconds]   (default 600, for each)
# Each target's corpus grows in build-fuzz/corpus-TARGET; a failing input is written to build-fuzz/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGAME_TESTS=OFF -DGAME_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target collision_fuzz input_fuzz >/dev/null
cd "$build"
for target in collision_fuzz input_fuzz; do
    mkdir -p "corpus-$target"
    SDL_VIDEO_DRIVER=dummy "./$target" -max_total_time="${1:-600}" -print_final_stats=1 "corpus-$target"
done
