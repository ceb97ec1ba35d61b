# The downloads in $DIST, unpacked and played through the game's own cases.
source "$(dirname "${BASH_SOURCE[0]}")/game_e2e.sh"

# The Windows zip under wine (one prefix a build); it ends on a close request, not on SIGTERM.
case_windows() {
    export DEADLINE=60 WINEPREFIX=${E2E_DIR%/e2e/*}/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    flock -o "$WINEPREFIX.lock" bash -c '[ -e "$WINEPREFIX/made" ] || { rm -rf "$WINEPREFIX" &&
        wineboot --init >/dev/null 2>&1 && wineserver --wait && touch "$WINEPREFIX/made"; }' || fail "wine prefix"
    unzip -q "$DIST"/wheels-*-windows-x86_64.zip && GAME="wine $(echo "$PWD"/wheels-*/wheels.exe)" || fail "no zip"
    case_window && wineserver --wait # each game from a fresh wine
    case_drive && close_window && expect_exit 0 && wineserver --wait
    start_game -debug && expect "the scene's title" '[[ $(xdotool getwindowname $WIN) == RAYTRACING* ]]'
    close_window && expect_exit 0
    expect "no wine process left" 'timeout 10 wineserver --wait'
}

# play PROGRAM: the Linux program with nothing of the build's environment; SIGTERM ends it too.
play() {
    GAME="env -i DISPLAY=$DISPLAY PATH=/usr/bin:/bin $1"
    case_window && start_game && kill -TERM $PID && expect_exit 0
}

case_linux_tar() { tar -xzf "$DIST"/wheels-*-linux-x86_64.tar.gz && cd wheels-*/ && play ./wheels; }

# The .deb's program, its menu entry and its icon.
case_deb() {
    dpkg-deb -x "$DIST"/wheels_*_amd64.deb . && cd usr || fail "no .deb"
    expect "a valid menu entry that starts bin/wheels, and its icon" 'desktop-file-validate share/applications/wheels.desktop &&
        grep -qx Exec=wheels share/applications/wheels.desktop && rsvg-convert share/icons/hicolor/scalable/apps/wheels.svg >/dev/null'
    play ./bin/wheels
}

# Frames reach a Wayland compositor as buffers attached to the window's surface, then committed.
case_wayland() {
    tar -xzf "$DIST"/wheels-*-linux-x86_64.tar.gz && mkdir -m700 xdg || fail "no tar.gz"
    XDG_RUNTIME_DIR=$PWD/xdg weston --backend=headless-backend.so --socket=dist-$$ --idle-time=0 >weston.log 2>&1 &
    until_ok "compositor" "test -S xdg/dist-$$"
    env -i XDG_RUNTIME_DIR=$PWD/xdg WAYLAND_DISPLAY=dist-$$ WAYLAND_DEBUG=client wheels-*/wheels 2>wl.log & PID=$!
    until_ok "the game's window" 's=$(grep -o "get_xdg_surface(.*wl_surface@[0-9]*" wl.log | grep -o "@[0-9]*$")'
    until_ok "ten frames" '[ "$(grep -c "wl_surface$s\.attach(wl_buffer@" wl.log)" -ge 10 ] && [ "$(grep -c "wl_surface$s\.commit()" wl.log)" -ge 10 ]'
    kill -TERM $PID && expect_exit 0
}
