# End-to-end test library: the real game in a private Xvfb, driven by xdotool, checked on
# screenshots. Sourced by run.sh; a case is a bash function `case_NAME` in a tests/e2e/*_e2e.sh
# file, and each case gets its own X server, so cases can run side by side.
#
# Set by ctest (tests/CMakeLists.txt): GAME, SHOTINFO, XCLOSE (the built programs) and E2E_DIR
# (this case's folder; screenshots and logs stay there for a look after a failure).
#
# Every wait polls for what it needs up to a deadline; input is held long enough for the game's
# 60 Hz tick to see it.

DEADLINE_MS=${DEADLINE_MS:-10000} # first frame, a resize: generous for a loaded machine
HOLD=0.1                          # seconds a key or button stays down: several ticks

GAME_PID=
XVFB_PID=
WIN=
SHOT=
SHOTS=0

fail() {
    echo "FAIL: $*" >&2
    [ -s "$E2E_DIR/game.log" ] && sed 's/^/game: /' "$E2E_DIR/game.log" >&2
    exit 1
}

now_ms() { date +%s%3N; }

# ---- X server and game ------------------------------------------------------------------

start_x() {
    local file="$E2E_DIR/display" fd end
    : >"$file"
    exec {fd}>"$file"
    # -displayfd: the server picks a free display and writes its number once it accepts clients.
    Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >"$E2E_DIR/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec {fd}>&-
    end=$(($(now_ms) + DEADLINE_MS))
    until grep -q '^[0-9]' "$file"; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
        [ "$(now_ms)" -lt "$end" ] || fail "Xvfb did not start in time"
        sleep 0.05
    done
    export DISPLAY=":$(head -n 1 "$file")"
}

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill -KILL "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill -TERM "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
}
trap cleanup EXIT

# start_game [ARGS...]: starts the game (with an X server of its own on first use) and waits
# for its window, which becomes $WIN, focused for keys, with a first frame drawn.
start_game() {
    [ -n "$XVFB_PID" ] || start_x
    SDL_VIDEO_DRIVER=x11 "$GAME" "$@" >"$E2E_DIR/game.log" 2>&1 &
    GAME_PID=$!
    wait_window
    xdotool windowfocus "$WIN" || fail "cannot focus window $WIN"
    wait_for "a first frame" frame_drawn
}

wait_window() {
    local end=$(($(now_ms) + DEADLINE_MS))
    WIN=
    while [ -z "$WIN" ]; do
        game_running || fail "the game ended before showing a window"
        [ "$(now_ms)" -lt "$end" ] || fail "no window within ${DEADLINE_MS} ms"
        sleep 0.05
        WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
    done
}

# A process that has ended but was not yet reaped is still there for kill -0: read its state.
game_running() {
    local state
    state=$(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

# expect_exit STATUS WITHIN_MS: the game ends with STATUS within WITHIN_MS of now.
expect_exit() {
    local want=$1 end=$(($(now_ms) + $2)) status
    while game_running; do
        [ "$(now_ms)" -lt "$end" ] || fail "the game still runs $2 ms later"
        sleep 0.02
    done
    wait "$GAME_PID"
    status=$?
    GAME_PID=
    [ "$status" -eq "$want" ] || fail "the game exited with status $status, not $want"
}

title() { xdotool getwindowname "$WIN"; }
close_window() { "$XCLOSE" "$WIN" || fail "could not send the close request"; }
stop_game() { kill -TERM "$GAME_PID"; }

# ---- Input ------------------------------------------------------------------------------

# key NAME [SECONDS]: press and hold an X key (w, space, q...) then release it.
key() {
    xdotool keydown "$1"
    sleep "${2:-$HOLD}"
    xdotool keyup "$1"
}
key_down() { xdotool keydown "$1"; }
key_up() { xdotool keyup "$1"; }

# move X Y: the pointer to (X, Y) of the window.
move() { xdotool mousemove --window "$WIN" "$1" "$2"; }

# click BUTTON [X Y]: hold a mouse button (1 left, 3 right) down, at (X, Y) when given.
click() {
    [ $# -ge 3 ] && move "$2" "$3"
    xdotool mousedown "$1"
    sleep "$HOLD"
    xdotool mouseup "$1"
}

# wheel UP|DOWN [N]: N notches of the mouse wheel (a notch is one event, held or not).
wheel() {
    local button=4
    [ "$1" = DOWN ] && button=5
    xdotool click --repeat "${2:-1}" "$button"
}

# resize W H: resizes the window and waits until a screenshot has that size.
resize() {
    xdotool windowsize "$WIN" "$1" "$2"
    wait_for "a ${1}x$2 window" size_is "$1" "$2"
}

# ---- Screenshots ------------------------------------------------------------------------

# shot [NAME]: screenshot of the window into $SHOT; the checks below read the latest one.
shot() {
    SHOTS=$((SHOTS + 1))
    SHOT="$E2E_DIR/${1:-shot$SHOTS}.bmp"
    import -window "$WIN" "BMP3:$SHOT" 2>>"$E2E_DIR/import.log" || fail "no screenshot of $WIN"
}

# wait_for WHAT CHECK [ARGS...]: takes screenshots until CHECK ARGS succeeds on one.
wait_for() {
    local what=$1 end=$(($(now_ms) + DEADLINE_MS))
    shift
    while :; do
        shot
        "$@" && return 0
        game_running || fail "the game ended while waiting for $what"
        [ "$(now_ms)" -lt "$end" ] || fail "no $what within ${DEADLINE_MS} ms (last: $SHOT)"
        sleep 0.05
    done
}

# Readings of $SHOT. Colours are 6 hex digits, RRGGBB; rectangles are [X0, X1) x [Y0, Y1).
size() { "$SHOTINFO" "$SHOT" size; }
pixel() { "$SHOTINFO" "$SHOT" pixel "$1" "$2"; }
count() { "$SHOTINFO" "$SHOT" count "$@"; }
# text X Y N: N characters of debug text with their top-left at (X, Y).
text() { "$SHOTINFO" "$SHOT" text "$@"; }
# number X Y: the integer written there in debug text, or nothing.
number() { text "$1" "$2" 12 | grep -o '^-\?[0-9]\+'; }
# ink X Y N: N characters of black debug text (the slot labels) with their top-left at (X, Y).
ink() { "$SHOTINFO" "$SHOT" ink "$@"; }
# changed FILE X0 Y0 X1 Y1: how many pixels of the rectangle differ from screenshot FILE.
changed() { "$SHOTINFO" "$SHOT" diff "$@"; }

# all_of X0 Y0 X1 Y1 RRGGBB: every pixel of the rectangle has that colour.
all_of() { [ "$(count "$@")" -eq $((($3 - $1) * ($4 - $2))) ]; }
# near X Y RRGGBB [R]: a pixel of that colour within R (default 1) of (X, Y); the renderer may
# put a line's pixels one off where the exact position falls.
near() {
    local r=${4:-1}
    [ "$(count $(($1 - r)) $(($2 - r)) $(($1 + r + 1)) $(($2 + r + 1)) "$3")" -gt 0 ]
}
none_near() { ! near "$@"; }
# near_all RRGGBB R X Y [X Y ...]: near every one of the points.
near_all() {
    local colour=$1 r=$2
    shift 2
    while [ $# -ge 2 ]; do
        near "$1" "$2" "$colour" "$r" || return 1
        shift 2
    done
}
size_is() { [ "$(size)" = "$1 $2" ]; }
# Most of the window shows the game's dark grey: a frame has been drawn.
frame_drawn() {
    local w h
    read -r w h < <(size)
    [ "$(count 0 0 "$w" "$h" 212121)" -gt $((w * h / 2)) ]
}

# ---- Checks -----------------------------------------------------------------------------

expect_eq() { # WHAT ACTUAL EXPECTED
    [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3' (shot: $SHOT)"
}
expect_range() { # WHAT VALUE LO HI
    [[ "$2" =~ ^-?[0-9]+$ ]] || fail "$1: '$2' is not a number (shot: $SHOT)"
    [ "$2" -ge "$3" ] && [ "$2" -le "$4" ] || fail "$1: $2 is not within $3..$4 (shot: $SHOT)"
}
# expect WHAT CHECK [ARGS...]: CHECK ARGS holds on the latest screenshot.
expect() {
    local what=$1
    shift
    "$@" || fail "$what (shot: $SHOT)"
}
