#!/usr/bin/env bash
# How soon the web download shows its first frame: the unpacked zip served on 127.0.0.1 to Debian's
# headless Chromium (through the web case's tests/e2e/browser.py), opened STARTS times (5 unless
# given), each time with a fresh browser profile, so with nothing cached; each start prints when the
# page marked its first frame, in milliseconds after the address was opened. `phone` as the second
# argument opens it as the phone held sideways. Builds the downloads first (scripts/dist.sh).
# Usage: scripts/web-first-frame.sh [STARTS] [phone]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/dist.sh" >/dev/null
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unzip -q "$root"/dist/wheels-*-web.zip -d "$tmp/site"

for start in $(seq "${1:-5}"); do
    mkdir "$tmp/$start" && cd "$tmp/$start" # the browser's profile is made here
    coproc BROWSER { exec /usr/bin/python3 "$root/tests/e2e/browser.py" "$tmp/site" ${2:-} 2>browser.log; }
    ask() { echo "$*" >&"${BROWSER[1]}" && read -r -t 60 answer <&"${BROWSER[0]}" && [ "$answer" != error ]; }
    ask open || { cat browser.log >&2; exit 1; }
    for _ in $(seq 300); do # the game loads in a few seconds at most
        ask "js performance.getEntriesByName('first frame').map(mark => Math.round(mark.startTime))"
        [ "$answer" = "[]" ] || break
        sleep 0.1
    done
    [ "$answer" != "[]" ] || { echo "start $start: no first frame in 30 seconds" >&2; exit 1; }
    echo "start $start: first frame ${answer//[][]/} ms after the address was opened"
    pid=$BROWSER_PID
    exec {BROWSER[1]}>&- # browser.py quits Chromium at the end of its input
    wait "$pid"
done
