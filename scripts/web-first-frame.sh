#!/usr/bin/env bash
# How soon the web download shows its first frame: the unpacked zip served on 127.0.0.1 to Debian's
# headless Chromium (through the web case's own harness, `browse` and `web`), opened STARTS times
# (5 unless given), each time with a fresh browser profile, so with nothing cached; each start
# prints when the page marked its first frame, in milliseconds after the address was opened, once
# the machine is idle again after the browser's own start.
# `phone` opens it as the phone held sideways. `warm` has each fresh browser draw with WebGL once,
# on a page of its own, before the address is opened: the first WebGL context of a browser's life
# readies its GPU process (here SwiftShader, WebGL drawn in software), half a second that a browser
# which has shown WebGL before, or composites on a real GPU, does not spend again. Builds the
# downloads first (scripts/dist.sh).
# Usage: scripts/web-first-frame.sh [STARTS] [phone] [warm]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/dist.sh" >/dev/null
export DIST=$root/dist
source "$root/tests/e2e/dist_e2e.sh"
fail() { echo "web-first-frame: $1" >&2 && cat browser.log >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

starts=5 as=() warm=''
for arg; do
    case $arg in
    phone) as=(phone) ;;
    warm) warm=1 ;;
    '' | *[!0-9]*) echo "usage: scripts/web-first-frame.sh [STARTS] [phone] [warm]" >&2 && exit 2 ;;
    *) starts=$arg ;;
    esac
done
# A canvas of its own, made and cleared; no file of the game's, so nothing of it is cached.
page="data:text/html,<canvas id=c></canvas><script>c.getContext('webgl').clear(16384), warmed = 1</script>"

# Waits, up to 30 seconds, for the machine to go idle (busy for under a tenth of its cores' time
# over half a second), as a browser started a moment ago leaves it only after a few seconds.
settle() {
    local before after busy total
    for _ in $(seq 60); do
        read -ra before </proc/stat && sleep 0.5 && read -ra after </proc/stat
        busy=0 total=0
        for field in 1 2 3 4 5 6 7 8; do # user nice system idle iowait irq softirq steal
            total=$((total + after[field] - before[field]))
            [ $field = 4 ] || [ $field = 5 ] || busy=$((busy + after[field] - before[field]))
        done
        [ $((10 * busy)) -ge "$total" ] || return 0
    done
    fail "start $start: the machine stayed busy for 30 seconds"
}

for start in $(seq "$starts"); do
    mkdir "$tmp/$start" && cd "$tmp/$start" # the page and the browser's profile are made here
    browse "${as[@]}" && web js 1 && settle || fail "no browser" # up, then idle
    if [ -n "$warm" ]; then
        web cdp Page.navigate "{\"url\": \"$page\"}" || fail "no warming page"
        for _ in $(seq 300); do
            web js "window.warmed" || fail "no warming page"
            [ "$REPLY" != 1 ] || break
            sleep 0.1
        done
        [ "$REPLY" = 1 ] || fail "start $start: the warming page drew nothing in 30 seconds"
        settle
    fi
    web open || fail "no page"
    for _ in $(seq 300); do # the game loads in a few seconds at most
        web "js performance.getEntriesByName('first frame').map(mark => Math.round(mark.startTime))" || fail "no page"
        [ "$REPLY" = "[]" ] || break
        sleep 0.1
    done
    [ "$REPLY" != "[]" ] || fail "start $start: no first frame in 30 seconds"
    echo "start $start: first frame ${REPLY//[][]/} ms after the address was opened"
    pid=$BROWSER_PID
    exec {BROWSER[1]}>&- # browser.py quits Chromium at the end of its input
    wait "$pid"
done
