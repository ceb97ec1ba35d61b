#!/usr/bin/env bash
# What the running game costs: its CPU share of one core at steady state, and the time from
# start to the first presented frame, in a real window under Xvfb.
# Usage: scripts/cost.sh [seconds]. SDL's own settings apply from the environment, e.g.
#   SDL_MAIN_CALLBACK_RATE=120 scripts/cost.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DGAME_BENCH=ON >/dev/null
cmake --build "$root/build-bench" -j"$(nproc)" >/dev/null

tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$tmp/display" 2>/dev/null &
xvfb=$!
game=
trap 'kill ${game:-} "$xvfb" 2>/dev/null; rm -rf "$tmp"; true' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$tmp/display")"

start=$(date +%s%N)
FIRST_PRESENT_FILE="$tmp/first" LD_PRELOAD="$root/build-bench/bench/first_present.so" \
  "$root/build-bench/game" &
game=$!
for _ in $(seq 200); do [ -s "$tmp/first" ] && break; sleep 0.05; done
[ -s "$tmp/first" ] || { echo "cost: no frame was presented" >&2; exit 1; }
echo "first frame: $((($(cat "$tmp/first") - start) / 1000000)) ms after start"

cpu() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
sleep 2 # past start-up, into steady state
t0=$(date +%s%N) c0=$(cpu)
sleep "$seconds"
t1=$(date +%s%N) c1=$(cpu)
hz=$(getconf CLK_TCK)
awk -v c="$((c1 - c0))" -v hz="$hz" -v t="$((t1 - t0))" -v r="${SDL_MAIN_CALLBACK_RATE:-unset}" \
  'BEGIN { printf "cpu: %.1f%% of one core over %.1f s (SDL_MAIN_CALLBACK_RATE %s)\n", 100 * c / hz / (t / 1e9), t / 1e9, r }'
kill -TERM "$game"
wait "$game" || { echo "cost: the game ended with status $?" >&2; exit 1; }
game=
