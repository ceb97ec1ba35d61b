#!/usr/bin/env bash
# Takes the README's two pictures from the real game window, in an X server of its own, with the
# end-to-end harness (tests/e2e/lib.sh): docs/game.png, the game in play, and docs/collision.png,
# the collision scene with the pointer at (580, 300). Builds into build/ first, as run.sh does.
if [ -z "${E2E_DIR:-}" ]; then
    set -euo pipefail
    root=$(cd "$(dirname "$0")/.." && pwd)
    "$root/scripts/setup.sh"
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$root/build" --target game -j"$(nproc)"
    export GAME=$root/build/game E2E_DIR=$root/build/pictures DOCS=$root/docs
    exec xvfb-run -a -s "-ac -screen 0 1280x1024x24" bash "$root/tests/e2e/lib.sh" "$root/scripts/pictures.sh" pictures
fi

# The game, zoomed out a little to show more rooms, after a short drive with the aim off to the
# right (the layout is new on every run, so is the picture); then the collision scene where both
# rectangles are hit and the second hit is the nearer one.
case_pictures() {
    start_game
    xdotool mousemove --window $WIN 560 250
    xdotool click --repeat 2 5 # two notches of the wheel, down
    cp $SHOT still.png
    key w 0.7
    shot_until "the drive under way" '[ "$(changed still.png 110 0 690 600)" -gt 600 ]'
    convert $SHOT -strip "$DOCS/game.png" && echo "docs/game.png"
    kill -TERM $PID && expect_exit 0
    start_game -debug
    xdotool mousemove --window $WIN 580 300
    shot_until "the cast's circle at (480, 277)" 'near 480 257 $RED && near 466 263 $RED && near 466 291 $RED'
    convert $SHOT -strip "$DOCS/collision.png" && echo "docs/collision.png"
}
