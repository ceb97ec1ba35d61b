#!/usr/bin/env bash
# A long soak: a million ticks (about 4.6 hours of play) of random, seeded input through the
# game's own entry points, checked after every tick. Usage: scripts/soak.sh [ticks]
# Set SANITIZE=1 to run it in the AddressSanitizer and UndefinedBehaviorSanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
if [ "${SANITIZE:-0}" = 1 ]; then
    build="$root/build-asan"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON >/dev/null
else
    build="$root/build"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target game_tests >/dev/null
SOAK_TICKS="${1:-1000000}" SDL_VIDEO_DRIVER=dummy "$build/tests/game_tests" --gtest_filter='Shell.*RandomPlay'
