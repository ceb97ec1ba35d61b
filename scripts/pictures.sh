#!/usr/bin/env bash
# Takes the README's two pictures from the real game window, in an X server of its own, with
# the end-to-end harness (tests/e2e/lib.sh): docs/game.png, the game in play, and
# docs/collision.png, the collision scene with the pointer at (580, 300).
# Builds into build/ first, as scripts/run.sh does; BUILD_DIR=DIR builds elsewhere.
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/setup.sh" || exit 1
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" --target game e2e_shotinfo e2e_xclose -j"$(nproc)" || exit 1

export GAME=$build/game SHOTINFO=$build/tests/e2e_shotinfo XCLOSE=$build/tests/e2e_xclose
export E2E_DIR=$build/pictures
rm -rf "$E2E_DIR"
mkdir -p "$E2E_DIR" "$root/docs"
source "$root/tests/e2e/lib.sh"

# save NAME: the latest screenshot as docs/NAME.png, without a time stamp in the file.
save() {
    convert "$SHOT" -strip "$root/docs/$1.png" || fail "cannot write docs/$1.png"
    echo "docs/$1.png"
}
playing() { [ "$(number 4 36)" -gt 31 ]; }
moved_since() { [ "$(changed "$1" 110 0 800 600)" -gt 600 ]; }

# The game, zoomed out a little to show more rooms, after a short drive with the aim off to
# the right. The layout is new on every run, so is the picture.
start_game
move 560 250
wheel DOWN 2
wait_for "the opening to end" playing
still=$SHOT
key w 0.7
wait_for "the drive under way" moved_since "$still"
save game

stop_game
expect_exit 0 5000

# The collision scene where both rectangles are hit and the second hit is the nearer one.
start_game -debug
move 580 300
wait_for "the cast's circle at (480, 277)" near_all FF0000 2 480 257 466 263 466 291
save collision
