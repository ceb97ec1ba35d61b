#!/usr/bin/env bash
# Builds the downloads (scripts/dist.sh) and serves the web one, unpacked as a web host holds it,
# to this machine only: http://127.0.0.1:8000/ (another port as the first argument). Ctrl-C ends it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8000}

"$root/scripts/dist.sh" >/dev/null
site="$root/build-dist-web/site"
rm -rf "$site"
unzip -q "$root"/dist/wheels-*-web.zip -d "$site"
echo "Wheels on http://127.0.0.1:$port/ (the collision scene on http://127.0.0.1:$port/?debug)"
echo "After a rebuild, reload with Shift, or close the tab and open the address again: a plain"
echo "reload keeps the build that the page's worker holds."
exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
