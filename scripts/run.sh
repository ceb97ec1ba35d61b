#!/usr/bin/env bash
# Sets the machine up, builds the game into build/ and starts it. Arguments go to the game:
# scripts/run.sh -debug opens the collision scene.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target game -j"$(nproc)"
exec "$root/build/game" "$@"
