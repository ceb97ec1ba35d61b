#!/usr/bin/env bash
# `xvfb-run bash lib.sh FILE NAME` runs case_NAME of FILE on the game ($GAME): input from xdotool
# (held 100 ms: a 60 Hz tick sees it), screenshots read with ImageMagick.
set -u -o pipefail
rm -rf "$E2E_DIR" && mkdir -p "$E2E_DIR" && cd "$E2E_DIR" || exit 1
SHOT=shot.png WHITE=FFFFFF RED=FF0000 GREY=212121 BLACK=000000

fail() { echo "FAIL: $1 (shot: $E2E_DIR/$SHOT)" >&2 && cat game.log >&2 2>/dev/null; exit 1; }
# WHAT CONDITION: until_ok retries it up to $DEADLINE (20) s, shot_until shooting each try, expect once
until_ok() { local end=$((SECONDS + ${DEADLINE:-20})); until eval "$2"; do [ $SECONDS -lt $end ] || fail "no $1"; sleep 0.1; done; }
shot_until() { until_ok "$1" "shot && { $2; }"; }
expect() { eval "$2" || fail "$1"; }

trap 'kill $(jobs -p) 2>/dev/null; [ -z "${WINEPREFIX:-}" ] || wineserver -k; wait' EXIT
openbox --sm-disable >/dev/null 2>&1 &
until_ok "window manager" 'wmctrl -m >/dev/null 2>&1'

# start_game [ARGS...]: the game's window, $WIN, focused, with a first frame on it.
start_game() {
    $GAME "$@" >>game.log 2>&1 & PID=$!
    until_ok "game window" 'WIN=$(xdotool search --onlyvisible --name "^(Sliding|RAYTRACING)")'
    xdotool windowfocus "$WIN"
    shot_until "first frame" '[ "$(count 0 0 800 600 $GREY)" -gt 200000 ]'
}
key() { xdotool keydown "$1" sleep "${2:-0.1}" keyup "$1"; }
move() { xdotool mousemove --window $WIN "$1" "$2"; } # X Y in the window
expect_exit() { # STATUS: the game has ended with it
    until_ok "end of the game" '! ps -o stat= -p $PID | grep -qv Z'
    wait $PID; local status=$? && [ $status -eq "$1" ] || fail "exit status $status, not $1"
}
close_window() { wmctrl -i -c "$WIN"; } # the window manager's close button

shot() { import -window "$WIN" "$SHOT" 2>/dev/null; }
count() { # X Y W H RRGGBB: pixels of that colour in the rectangle
    convert "$SHOT" -crop "$3x$4+$1+$2" +repage -format %c histogram:info: |
        awk -v c="#$5" '$3 == c { n = $1 } END { print n + 0 }'
}
near() { [ "$(count $(($1 - 1)) $(($2 - 1)) 3 3 "$3")" -gt 0 ]; } # X Y RRGGBB, give or take 1
changed() { compare -metric AE "$SHOT[$4x$5+$2+$3]" "$1[$4x$5+$2+$3]" null: 2>&1; } # FILE X Y W H

# X Y: the logical screen there is dark grey, its hints and ticking counters white; no touch box.
expect_game_screen() {
    local x=$1 y=$2
    expect "dark grey screen, white hints" '[ "$(count $x $y 800 600 $GREY)" -gt 400000 ] &&
        [ "$(count $((x + 4)) $((y + 4)) 96 32 $WHITE)" -gt 600 ]'
    expect "no touch controls" '[ "$(count $((x + 20)) $((y + 370)) 80 1 $WHITE)" -lt 80 ] || [ "$(count $((x + 700)) $((y + 490)) 80 1 $WHITE)" -lt 80 ]'
    cp $SHOT counters.png
    shot_until "counters ticking" '[ "$(changed counters.png $((x + 4)) $((y + 36)) 96 16)" -gt 0 ]'
    expect "counters in white" '[ "$(count $((x + 4)) $((y + 36)) 96 16 $WHITE)" -gt 20 ]'
}

source "$1" && "case_$2" && echo "PASS: $2"
