# The downloads in $DIST, unpacked and played through the game's own cases.
source "$(dirname "${BASH_SOURCE[0]}")/game_e2e.sh"

# The Windows zip under wine (one prefix a build), ended by a close request, not SIGTERM; no pad plays, so
# without wine's XInput, whose thread can outlive the DLL SDL frees at exit and crash a loaded machine's exit.
case_windows() {
    export DEADLINE=60 WINEPREFIX=${E2E_DIR%/e2e/*}/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,xinput1_1,xinput1_2,xinput1_3,xinput1_4,xinput9_1_0="
    flock -o "$WINEPREFIX.lock" bash -c '[ -e "$WINEPREFIX/made" ] || { rm -rf "$WINEPREFIX" &&
        wineboot --init >/dev/null 2>&1 && wineserver --wait && touch "$WINEPREFIX/made"; }' || fail "wine prefix"
    unzip -q "$DIST"/wheels-*-windows-x86_64.zip && GAME="wine $(echo "$PWD"/wheels-*/wheels.exe)" || fail "no zip"
    case_window && wineserver --wait # each game from a fresh wine
    case_drive && close_window && expect_exit 0 && wineserver --wait
    start_game -debug && expect "the scene's title" '[[ $(xdotool getwindowname $WIN) == RAYTRACING* ]]'
    close_window && expect_exit 0
    expect "no wine process left" 'timeout 10 wineserver --wait'
}

# play PROGRAM...: the Linux program with nothing of the build's environment but a display and a runtime folder,
# so no sound server either: it says so once, and nothing else, and plays on. SIGTERM ends it too.
play() {
    mkdir -m700 xdg && GAME="env -i DISPLAY=$DISPLAY XDG_RUNTIME_DIR=$PWD/xdg PATH=/usr/bin:/bin $*"
    case_window && start_game && kill -TERM $PID && expect_exit 0
    local line="audio init fail, playing without sound" && local twice="$line"$'\n'"$line"
    expect "one word of playing silently, each start, and nothing else" '[ "$(cat game.log)" = "$twice" ]'
}

# The tar.gz game heard through a desktop's sound server (pulseaudio as root, which warns, a null sink) whose
# monitor one parec records for the whole case, in 20 ms pieces (not 2 s): play beginning; space, the hop
# alike on both sides; d, the thump louder on the right; after m, silence while w drives.
heard() { # BYTE: the left and right peaks recorded since then
    od -An -v -t d2 -j "$1" heard.raw | awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > p[i % 2]) p[i % 2] = v } } END { print p[1] + 0, p[0] + 0 }'; }
recorded() { echo $(($(stat -c %s heard.raw) / 4 * 4)); } # bytes of whole frames, 192,000 a second
quiet() { until_ok "quiet" '[ "$(heard $(($(recorded) - 19200)))" = "0 0" ]'; } # the last 100 ms
case_sound() {
    tar -xzf "$DIST"/wheels-*-linux-x86_64.tar.gz && cd wheels-*/ && mkdir -m700 xdg || fail "no tar.gz"
    export XDG_RUNTIME_DIR=$PWD/xdg HOME=$PWD
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --load=module-native-protocol-unix --load="module-null-sink sink_name=game" >pulse.log 2>&1 &
    until_ok "a sound server" 'pactl info >/dev/null 2>&1'
    parec --latency-msec=20 -d game.monitor --format=s16le --rate=48000 --channels=2 >heard.raw &
    GAME="env -i DISPLAY=$DISPLAY XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR PATH=/usr/bin:/bin ./wheels" && start_game
    until_ok "play beginning heard" '[ "$(heard 0)" != "0 0" ]' && quiet && local at=$(recorded) && key space && until_ok "the hop's chirp" 'set -- $(heard $at) && [ $1 -gt 2000 ] && [ $1 = $2 ]' && quiet
    at=$(recorded) && key d && until_ok "the use's thump, on the right" 'set -- $(heard $at) && [ $2 -gt 2000 ] && [ $2 -gt $1 ]' && quiet
    key m && at=$(recorded) && until_ok "the fade's end recorded" '[ $(recorded) -gt $((at + 19200)) ]'
    at=$(recorded) && key w 1 && expect "silence while w drives, and nothing printed (libpipewire is here, no PipeWire server)" \
        '[ "$(heard $at)" = "0 0" ] && [ ! -s game.log ]'
}

case_linux_tar() { tar -xzf "$DIST"/wheels-*-linux-x86_64.tar.gz && cd wheels-*/ && play ./wheels; }

# deb ARCH PROGRAM...: the .deb's program, its menu entry and its icon.
case_deb() { deb amd64 ./bin/wheels; }
deb() {
    dpkg-deb -x "$DIST"/wheels_*_$1.deb . && cd usr && shift || fail "no .deb"
    expect "a valid menu entry that starts bin/wheels, and its icon" 'desktop-file-validate share/applications/wheels.desktop &&
        grep -qx Exec=wheels share/applications/wheels.desktop && rsvg-convert share/icons/hicolor/scalable/apps/wheels.svg >/dev/null'
    play "$@"
}

# The arm64 downloads under qemu, on the arm64 libraries scripts/setup.sh unpacked: a window comes up slower.
ARM64="qemu-aarch64 -L ${DIST%/*}/.deps/arm64"
case_linux_tar_arm64() { export DEADLINE=60 && tar -xzf "$DIST"/wheels-*-linux-arm64.tar.gz && cd wheels-*/ && play $ARM64 ./wheels; }
case_deb_arm64() { export DEADLINE=60 && deb arm64 $ARM64 ./bin/wheels; }

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

# The web zip, served on 127.0.0.1 to headless Chromium, which browser.py drives: `web COMMAND`
# sends it one command and reads its answer into $REPLY. It plays the game's cases in the page.
web() { echo "${*//$'\n'/ }" >&"${BROWSER[1]}" && read -r -t 60 REPLY <&"${BROWSER[0]}" && [ "$REPLY" != error ]; }
says() { web "$1" && [ "$REPLY" = "$2" ]; } # COMMAND ANSWER
browse() { # [phone]: the unzipped page in a browser of its own; a phone's screenshots (2532 by 1170) cut to the game's screen
    unzip -q "$DIST"/wheels-*-web.zip -d site || fail "no zip"
    coproc BROWSER { exec /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")"/browser.py site "$@" 2>browser.log; }
    shot() { web shot "$PWD/$SHOT"; }; key() { web key "$1" "${2:-0.1}"; }; move() { web move "$1" "$2"; }
    [ "$*" != phone ] || { move() { finger start 9 "$@" && finger end 9; }; key() { local box=${1^^}; finger start 9 ${!box} && sleep "${2:-0.1}" && finger end 9; }
        shot() { web shot "$PWD/phone.png" && convert phone.png -crop 1560x1170+486+0 +repage -filter point -resize 800x600! $SHOT; }
        two_chars() { [ "$(count $(($1 + 20)) $(($2 + 12)) 16 16 $BLACK)" -gt 0 ]; }; } # texts twice the size, in slot boxes of 40
}
case_web() { # from a host that sends wheels.wasm with no WebAssembly type (the phone's: application/wasm)
    export DEADLINE=40
    browse && web type wasm application/octet-stream && web size 800 600 && web open || fail "no browser"
    until_ok "the game's title" 'says "js document.title" "Sliding along walls, still phasing into corners."'
    shot_until "first frame" '[ "$(count 0 0 800 600 $GREY)" -gt 200000 ]'
    expect_game_screen 0 0
    expect "a canvas with no depth buffer, which the browser would clear before the first frame" 'says "js Module.ctx.getContextAttributes().depth" False'
    web js "document.body.append(Object.assign(document.createElement('div'), {style: 'height: 300vh'}))"
    cp $SHOT still.png && web wheel 100
    shot_until "the view zoomed" '[ "$(changed still.png 110 0 690 600)" -gt 600 ]'
    expect "the page unscrolled" 'says "js scrollY" 0'
    web wheel -100 && drive # back to the start's scale; keys before any click
    web js "peaks.length = 0" && key space && until_ok "the hop heard" 'says "js peaks.some(p => p > 0.05)" True'
    key m && web js "peaks.length = 0" && key w 1 && expect "silence after m, w held" 'says "js peaks.length > 20 && peaks.every(p => p == 0)" True'
    expect "every buffer, of 1,024 frames, filled in time" 'says "js late || Module.SDL3.audio_playback.scriptProcessorNode.bufferSize" 1024'
    web js "addEventListener('contextmenu', event => window.menuShut = event.defaultPrevented)"
    web down 3 && shot_until "a full cooldown bar" '[ "$(count 10 115 8 5 $RED)" -eq 40 ]'
    web up 3 && expect "the browser's menu shut, no full screen, no vibration" 'says "js window.menuShut && !document.fullscreenElement && !vibrations" True'
    key space && key down && expect "the page unscrolled" 'says "js scrollY" 0'
    web size 1000 600 && letterboxed
    web size 600 800 && expect "no loading line, nor one about a phone in a tall window" 'says "js document.body.innerText" ""'
    web size 800 600 && web open "?debug" || fail "no page"
    until_ok "the scene's title" 'says "js document.title" "RAYTRACING-BASED COLLISION LOOKS FINE, RIGHT?? RIGHT???"'
    cast_to_pointer
    says errors "[]" || fail "errors in the console: $REPLY"
    web open "?SDL_VIDEO_DRIVER=none"
    until_ok "the failure in words" 'says "js document.body.innerText" "Wheels could not start: video init fail"'
    web cdp Page.addScriptToEvaluateOnNewDocument '{"source": "HTMLCanvasElement.prototype.getContext = () => null"}' && web open
    until_ok "the line that WebGL is missing, once the game fails without it" 'says "js document.body.innerText" "Wheels needs WebGL, which this browser lacks or has turned off."'
}

# A phone's fingers on the game's screen, 800 by 600 in 844 by 390 CSS px, 162 in: `finger start|move ID X Y [W H]`
# at a point or in the middle of a box, `finger end ID`. The touch boxes, X Y W H, as laid out on that screen.
finger() { web touch "$1" "$2" ${3:+$((162 + ($3 + ${5:-0} / 2) * 65 / 100)) $((($4 + ${6:-0} / 2) * 65 / 100))} || fail "touch $*"; }
W="20 370 80 80" S="20 490 80 80" A="110 430 80 80" D="610 430 80 80" HOP="700 490 80 80"
Q="20 290 80 50" E="700 290 80 50" PLUS="740 10 50 50" MINUS="680 10 50 50" SND="620 10 50 50"
outlined() { # NAME...: every pixel on each box's edges white (the white within it less the white inside its edges)
    for box; do set -- ${!box} && [ $(($(count $@ $WHITE) - $(count $(($1 + 1)) $(($2 + 1)) $(($3 - 2)) $(($4 - 2)) $WHITE))) = \
        $((2 * ($3 + $4) - 4)) ] || return; done; }
cooled() { [ "$(count 0 0 30 130 $RED)" -eq 0 ]; } # no cooldown bar: nothing in the hands or the top box used lately
# WHAT BOX CONDITION: a tap (a phone's `move`) can outlast a swap's repeat, or come to nothing: the box is tapped again every 10 s until it shows
tap_until() { local next=0; until_ok "$1" "[ \$SECONDS -lt \$next ] || { move \$$2 && next=\$((SECONDS + 10)); }; shot && { $3; }"; }

case_phone() { # the web zip on a phone held sideways
    export DEADLINE=60 shown='says "js document.body.innerText" "" && [ "$(count 0 0 800 600 $GREY)" -gt 200000 ]'
    browse phone && web open; shot_until "first frame" "$shown" && cp $SHOT still.png
    shot_until "texts twice the size, right of the cooldown bars, none where a desktop has them" '[ "$(count 44 4 192 64 $WHITE)" -gt 1000 ] && [ "$(count 8 0 36 60 $WHITE)" -eq 0 ]'
    until_ok "the page installable" 'says "cdp Page.getInstallabilityErrors" "{\"installabilityErrors\": []}"'
    web size 390 844; until_ok "upright: the line" 'says "js document.elementFromPoint(195, 422).innerText" "Turn your phone sideways to play."'
    web touch start 1 150 422 && web touch start 2 190 422 && web touch move 1 70 422 && web touch move 2 270 422 && web touch end 1 &&
        web touch end 2 && expect "two fingers spread apart (before full screen, where none zooms): no zoom, no scroll" \
        'says "js [visualViewport.scale, scrollX, scrollY]" "[1, 0, 0]"' || fail "touches"
    web size 844 390; shot_until "sideways: the game on, on top, in full screen, turned with the window, at the screen's own pixels" \
        '[ "$(changed still.png 0 0 800 600)" -gt 0 ] && says "js document.fullscreenElement &&
        canvas.width == 3 * innerWidth && canvas.height == 3 * innerHeight && document.elementFromPoint(422, 195).id" canvas'
    drive && expect "the boxes shown at the first touch, as laid out" 'outlined W S A D HOP Q E PLUS MINUS SND' &&
        until_ok "the wheels heard" 'says "js peaks.some(p => p > 0)" True'
    finger start 1 $D && shot_until "D held: the right hand's item used, its bar" '[ "$(count 10 60 8 60 $RED)" -gt 0 ]' && finger end 1
    expect "the phone shaken" 'says "js vibrations > 0" True'
    shot_until "its cooldown over" cooled && tap_until "E: the item in the top box" E 'two_chars 105 190 && ! two_chars 55 140'
    tap_until "Q: the item in the left hand" Q 'two_chars 55 140 && ! two_chars 5 190'
    finger start 1 700 420 && shot_until "a finger on the world: the aim to it, straight right" 'near 540 420 $RED' && finger move 1 400 100 &&
        shot_until "the aim following it, straight up, the boxes kept" 'near 400 265 $RED && outlined W' && expect "nothing used" cooled && finger end 1
    finger start 1 $A && shot_until "A held: the left hand's item used, its bar" '[ "$(count 0 60 8 60 $RED)" -gt 0 ]' && finger end 1
    finger start 1 $Q && finger start 2 560 260 && shot_until "a second finger on the world aims, up and right, while the first holds Q" \
        'near 471 349 $RED && [ "$(count 25 295 10 10 $GREY)" -eq 0 ]' && finger end 2 && finger end 1 # Q lit over the grey
    until_ok "the game kept by its worker" 'says "js navigator.serviceWorker.ready.then(() => caches.match(\"wheels.wasm\")).then(Boolean)" True'
    web cdp Network.clearBrowserCache && web offline && web open; shot_until "with the network off, a reload that plays" "$shown"
}
