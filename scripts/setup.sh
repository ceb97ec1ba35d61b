#!/usr/bin/env bash
# Installs what the build and the tests need, and provides SDL3 3.2 or later.
# Safe to run again: installed packages and a built SDL3 are reused.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
prefix="$deps/sdl3"

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

packages=(
  build-essential cmake pkg-config git ca-certificates
  libgtest-dev libbenchmark-dev clang
  # SDL3's X11 video back end
  libx11-dev libxext-dev libxrandr-dev libxcursor-dev libxi-dev libxfixes-dev libxss-dev libxkbcommon-dev
  # the renderer under Xvfb is OpenGL on Mesa
  libgl1 libegl1 libgl1-mesa-dri
  # end-to-end tests: a real X server, input, screenshots
  xvfb xauth xdotool imagemagick x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# An SDL3 of our own, built on an earlier run.
if [ -f "$prefix/.built" ]; then
  exit 0
fi
# An SDL3 the system already has (newer distributions package it).
if pkg-config --atleast-version=3.2.0 sdl3 2>/dev/null; then
  exit 0
fi

# Otherwise build Debian's own SDL3 source package from the next release. apt fetches and
# verifies it through a private sources folder and lists, so the machine's apt set-up is
# untouched; the archive is the one this machine's apt already uses.
archive_uri() {
  apt-get indextargets --format '$(LABEL) $(REPO_URI)' 2>/dev/null | awk '$1 == "Debian" { print $2; exit }'
}
uri=$(archive_uri)
if [ -z "$uri" ]; then
  "${sudo_cmd[@]}" apt-get update -qq
  uri=$(archive_uri)
fi
[ -n "$uri" ] || { echo "setup: no Debian archive in this machine's apt configuration" >&2; exit 1; }

aptdir="$deps/apt"
rm -rf "$aptdir"
mkdir -p "$aptdir/sources.list.d" "$aptdir/lists/partial" "$aptdir/src"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri trixie main" \
  >"$aptdir/sources.list.d/sdl3-source.list"
apt_opts=(
  -o Dir::Etc::sourcelist=/dev/null
  -o Dir::Etc::sourceparts="$aptdir/sources.list.d"
  -o Dir::State::Lists="$aptdir/lists"
  -o APT::Sandbox::User=root
)
echo "setup: fetching the SDL3 source package"
"${sudo_cmd[@]}" apt-get "${apt_opts[@]}" update -qq
(cd "$aptdir/src" && "${sudo_cmd[@]}" apt-get "${apt_opts[@]}" source --download-only -qq libsdl3)

tarball=$(ls "$aptdir/src"/libsdl3_*.orig.tar.* | head -n 1)
srcdir="$deps/sdl3-src"
rm -rf "$srcdir" "$deps/sdl3-build" "$prefix"
mkdir -p "$srcdir"
tar -xf "$tarball" -C "$srcdir" --strip-components=1

echo "setup: building SDL3 into $prefix"
cmake -S "$srcdir" -B "$deps/sdl3-build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DSDL_TESTS=OFF -DSDL_EXAMPLES=OFF -DSDL_TEST_LIBRARY=OFF -DSDL_WAYLAND=OFF -DSDL_KMSDRM=OFF >/dev/null
cmake --build "$deps/sdl3-build" -j"$(nproc)" >/dev/null
cmake --install "$deps/sdl3-build" >/dev/null
rm -rf "$srcdir" "$deps/sdl3-build"
touch "$prefix/.built"
