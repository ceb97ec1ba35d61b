#!/usr/bin/env bash
# Takes the README's three pictures with the end-to-end harness (tests/e2e/lib.sh): from the real
# game window, in an X server of its own, docs/game.png, the game in play, and docs/collision.png,
# the collision scene with the pointer at (580, 300); from the web download in Chromium emulating a
# phone held sideways, docs/phone.png, the game with its touch boxes. Builds into build/ and the
# downloads into dist/ (scripts/dist.sh) first.
if [ -z "${E2E_DIR:-}" ]; then
    set -euo pipefail
    root=$(cd "$(dirname "$0")/.." && pwd)
    "$root/scripts/dist.sh" >/dev/null # sets the machine up first
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$root/build" --target game -j"$(nproc)"
    export GAME=$root/build/game E2E_DIR=$root/build/pictures DOCS=$root/docs DIST=$root/dist
    exec xvfb-run -a -s "-ac -screen 0 1280x1024x24" bash "$root/tests/e2e/lib.sh" "$root/scripts/pictures.sh" pictures
fi

source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/dist_e2e.sh" # the web harness and the touch boxes

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
    kill -TERM $PID && expect_exit 0
    phone_picture
}

# The phone, its screenshot scaled down to the page's 844 by 390 CSS px: a thumb holding W, driving,
# and a finger on the world aiming up and to the right.
phone_picture() {
    export DEADLINE=60
    browse phone && web open || fail "no browser"
    shot_until "first frame" '[ "$(count 0 0 800 600 $GREY)" -gt 200000 ]'
    finger start 1 $W && finger start 2 560 260
    shot_until "W held, the aim about up and to the right (the body drifts a little under way)" '[ "$(count 25 375 10 10 $GREY)" -eq 0 ] && [ "$(count 461 339 21 21 $RED)" -gt 0 ]'
    convert phone.png -strip -resize 844x390 "$DOCS/phone.png" && echo "docs/phone.png"
    finger end 2 && finger end 1
}
