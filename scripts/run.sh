#!/usr/bin/env bash
# Sets up what the game needs (scripts/setup.sh game), builds the game into build/ (or $BUILD) and
# starts it. Arguments go to the game: scripts/run.sh -debug opens the collision scene.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
source "$root/scripts/progress.sh"

"$root/scripts/setup.sh" game
# A fresh build leaves the tests out, since their GoogleTest comes with the whole set-up
# (scripts/test.sh); a build made before keeps its choice.
tests=()
[ -f "$build/CMakeCache.txt" ] || tests=(-DGAME_TESTS=OFF)
build_game() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${tests[@]}" &&
    cmake --build "$build" --target game -j"$(nproc)"
}
mkdir -p "$build"
step "run: building the game into ${build#"$root/"}" "$build/game-build.log" build_game
exec "$build/game" "$@"
