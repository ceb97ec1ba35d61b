#!/usr/bin/env bash
# Sets the machine up, builds everything into build/ and runs every test (unit, drawing and
# end-to-end) with ctest. The last line is "N passed, N failed"; the exit status is non-zero
# when a test failed or none ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_TESTS=ON
cmake --build "$build" -j"$(nproc)"

# Each end-to-end test has an X server of its own, so two tests can run side by side.
log="$build/ctest.log"
status=0
(cd "$build" && ctest -j2 --timeout 600 --output-on-failure) </dev/null 2>&1 | tee "$log" ||
    status=$?

summary=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
if [ -z "$summary" ]; then
    echo "ctest reported no results"
    echo "0 passed, 0 failed"
    exit 1
fi
failed=$(echo "$summary" | awk '{ print $1 }')
total=$(echo "$summary" | awk '{ print $NF }')
echo "$((total - failed)) passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$total" -gt 0 ]
