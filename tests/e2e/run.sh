#!/usr/bin/env bash
# Runs one end-to-end case: run.sh FILE NAME calls case_NAME from FILE, with lib.sh loaded.
# ctest starts it once per case (tests/CMakeLists.txt); by hand, set GAME, SHOTINFO, XCLOSE
# and E2E_DIR as ctest does.
set -u -o pipefail
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$E2E_DIR"
mkdir -p "$E2E_DIR"
source "$here/lib.sh"
source "$1" || fail "cannot read $1"
declare -F "case_$2" >/dev/null || fail "no case_$2 in $1"
"case_$2" || fail "case_$2 returned a failure"
echo "PASS: $2"
