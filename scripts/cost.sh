#!/usr/bin/env bash
# What the running game costs a player, in a real window under Xvfb (OpenGL on Mesa's software
# rasterizer): the time from start to the first presented frame; then over two stretches, at rest
# after the countdown (no input) and driving (w held throughout), its CPU share of one core, its
# presents a second and the longest gap between two presents.
# Usage: scripts/cost.sh [SECONDS]                 the game built here; each stretch 20 s unless told
#        scripts/cost.sh --windows [ZIP] [SECONDS]  a Windows zip (dist/'s unless told) under wine:
#            the CPU share of all the game's wine processes (the game, wineserver and the rest, in a
#            prefix of their own); SDL is linked into the .exe, so its presents are not counted.
# It sets none of SDL's variables: a player's SDL_MAIN_CALLBACK_RATE, exported, still applies.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
windows=
if [ "${1:-}" = --windows ]; then
  windows=1
  shift
  if [[ ${1:-} == *.zip ]]; then
    zip=$1
    shift
  else
    zip=$(ls "$root"/dist/wheels-*-windows-x86_64.zip)
  fi
fi
seconds=${1:-20}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DGAME_BENCH=ON >/dev/null
cmake --build "$root/build-bench" -j"$(nproc)" >/dev/null

tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$tmp/display" 2>/dev/null &
xvfb=$!
game=
trap 'set +e; [ -z "$windows" ] || wineserver -k 2>/dev/null; kill ${game:-} "$xvfb" 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$tmp/display")"

start=$(date +%s%N)
if [ -n "$windows" ]; then
  # A prefix of the cost's own, made once as the test command's Windows case makes its own.
  export WINEPREFIX="$root/build-bench/wine-prefix" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml,xinput1_1,xinput1_2,xinput1_3,xinput1_4,xinput9_1_0="
  [ -e "$WINEPREFIX/made" ] || { rm -rf "$WINEPREFIX" && wineboot --init >/dev/null 2>&1 &&
    wineserver --wait && touch "$WINEPREFIX/made"; }
  unzip -q "$zip" -d "$tmp"
  start=$(date +%s%N)
  wine "$tmp"/wheels-*/wheels.exe >"$tmp/game.log" 2>&1 &
else
  PRESENT_TIMES_FILE="$tmp/presents" LD_PRELOAD="$root/build-bench/bench/present_times.so" \
    "$root/build-bench/game" >"$tmp/game.log" 2>&1 &
fi
game=$!
win=
for _ in $(seq 600); do
  win=$(xdotool search --onlyvisible --name '^Sliding' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
  sleep 0.05
done
[ -n "$win" ] || { echo "cost: no game window" >&2; cat "$tmp/game.log" >&2; exit 1; }
xdotool windowfocus "$win"
if [ -z "$windows" ]; then
  for _ in $(seq 200); do [ -s "$tmp/presents" ] && break; sleep 0.05; done
  [ -s "$tmp/presents" ] || { echo "cost: no frame was presented" >&2; exit 1; }
  echo "first frame: $((($(head -n 1 "$tmp/presents") - start) / 1000000)) ms after start"
fi

# The clock ticks each of the game's processes has used: the game's one, or every one of the prefix.
sample() {
  local pids=$game p
  if [ -n "$windows" ]; then
    pids=$(grep -lzx "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true)
  fi
  for p in $pids; do
    sed 's/.*) //' "/proc/$p/stat" 2>/dev/null | awk -v p="$p" '{ print p, $12 + $13 }' || true
  done
}
# stretch NAME: CPU share over $seconds of those processes alive at both ends; on Linux, presents.
stretch() {
  local t0 t1
  sample >"$tmp/c0"
  t0=$(date +%s%N)
  sleep "$seconds"
  t1=$(date +%s%N)
  sample >"$tmp/c1"
  awk -v name="$1" -v hz="$(getconf CLK_TCK)" -v t0="$t0" -v t1="$t1" -v windows="$windows" '
    FILENAME ~ /c0$/ { before[$1] = $2; next }
    FILENAME ~ /c1$/ { if ($1 in before) used += $2 - before[$1]; next }
    $1 >= t0 && $1 <= t1 { if (n++ && $1 - last > gap) gap = $1 - last; last = $1 }
    END {
      printf "%-8s cpu %5.1f %% of one core over %.1f s", name, 100 * used / hz / ((t1 - t0) / 1e9), (t1 - t0) / 1e9
      if (!windows) printf ", %.1f presents a second, longest gap %.1f ms", n / ((t1 - t0) / 1e9), gap / 1e6
      print ""
    }' "$tmp/c0" "$tmp/c1" "$( [ -n "$windows" ] && echo /dev/null || echo "$tmp/presents")"
}

sleep 2 # past start-up and the countdown, into steady state
stretch "at rest:"
xdotool keydown w
stretch "driving:"
xdotool keyup w
echo "SDL_MAIN_CALLBACK_RATE ${SDL_MAIN_CALLBACK_RATE:-unset}; load average $(uptime | sed 's/.*average: //')"
if [ -n "$windows" ]; then
  wineserver -k
  wait "$game" || true # ended by wine, with no status of the game's own
else
  kill -TERM "$game"
  wait "$game" || { echo "cost: the game ended with status $?" >&2; exit 1; }
fi
game=
