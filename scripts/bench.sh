#!/usr/bin/env bash
# Speed of a tick, of the movement, of a frame on the software renderer and of the catch-up
# after a ten-second stall (Google Benchmark, Release build). Extra arguments go to the
# benchmark, e.g. scripts/bench.sh --benchmark_filter=Tick
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DGAME_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target game_bench >/dev/null
"$build/bench/game_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
