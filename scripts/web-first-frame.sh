#!/usr/bin/env bash
# How soon the web download shows its first frame: the unpacked zip served on 127.0.0.1 to Debian's
# headless Chromium (through the web case's own harness, `browse` and `web`), opened STARTS times
# (5 unless given), each time with a fresh browser profile, so with nothing cached; each start
# prints when the page marked its first frame, in milliseconds after the address was opened.
# `phone` as the second argument opens it as the phone held sideways. Builds the downloads first
# (scripts/dist.sh).
# Usage: scripts/web-first-frame.sh [STARTS] [phone]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/dist.sh" >/dev/null
export DIST=$root/dist
source "$root/tests/e2e/dist_e2e.sh"
fail() { echo "web-first-frame: $1" >&2 && cat browser.log >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for start in $(seq "${1:-5}"); do
    mkdir "$tmp/$start" && cd "$tmp/$start" # the page and the browser's profile are made here
    browse ${2:-} && web open || fail "no browser"
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
