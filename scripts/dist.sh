#!/usr/bin/env bash
# Builds the downloads into dist/: the Windows zip, the Linux tar.gz and Debian package for x86-64
# and for 64-bit ARM, and the web zip. Each comes from a Release build of its own
# (build-dist-windows/, build-dist-linux/, build-dist-linux-arm64/, build-dist-web/) with SDL3 and
# the C++ runtime linked in; later runs reuse those builds and rebuild only what changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"

version=$(sed -n 's/^project(wheels VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
out="$root/dist"
mkdir -p "$out"
rm -f "$out"/wheels[-_]*

# Windows: one .exe beside its README and licences, zipped in a folder of its own; the text
# files get Windows line ends.
win="$root/build-dist-windows"
name="wheels-$version-windows-x86_64"
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/packaging/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DGAME_STATIC=ON -DGAME_TESTS=OFF >/dev/null
cmake --build "$win" -j"$(nproc)" >/dev/null
rm -rf "${win:?}/$name"
cmake --install "$win" --prefix "$win/$name" >/dev/null
if x86_64-w64-mingw32-objdump -p "$win/$name/wheels.exe" | grep -iE 'DLL Name: (lib|SDL)'; then
  echo "dist: wheels.exe needs a DLL that is not Windows' own" >&2
  exit 1
fi
(cd "$win" && zip -q -X -l "$out/$name.zip" "$name"/*.txt && zip -q -X "$out/$name.zip" "$name/wheels.exe")

# linux ARCH: the Linux program for Debian's architecture ARCH, amd64 (this machine's) or arm64
# (cross-compiled), in a Release build of its own, with Debian's hardening flags for ARCH; installed
# under /usr for the .deb, and the program with its README and licences in a folder of its own
# for the tar.gz.
linux() {
  local arch=$1 lin machine loader elf cross=() sdl3=()
  case $arch in
  amd64)
    lin="$root/build-dist-linux" machine=x86_64 loader=ld-linux-x86-64.so.2 elf="X86-64"
    sdl3=(-DSDL3_DIR="$root/.deps/sdl3-static/lib/cmake/SDL3") # not the shared one of .deps/sdl3
    ;;
  arm64)
    lin="$root/build-dist-linux-arm64" machine=arm64 loader=ld-linux-aarch64.so.1 elf=AArch64
    cross=(-DCMAKE_TOOLCHAIN_FILE="$root/packaging/aarch64-linux-gnu.cmake")
    ;;
  esac
  local name="wheels-$version-linux-$machine"
  flags() { (cd "$root" && DEB_HOST_ARCH=$arch DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
  cmake -S "$root" -B "$lin" "${cross[@]}" "${sdl3[@]}" -DCMAKE_BUILD_TYPE=Release -DGAME_STATIC=ON -DGAME_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
  cmake --build "$lin" -j"$(nproc)" >/dev/null
  rm -rf "$lin/stage" "${lin:?}/$name"
  DESTDIR="$lin/stage" cmake --install "$lin" >/dev/null
  local program="$lin/stage/usr/bin/wheels"
  if ! readelf -h "$program" | grep -qE "^ *Machine: .*\b$elf\$"; then
    echo "dist: the Linux program for $arch is not built for its processor ($elf)" >&2
    exit 1
  fi
  if readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
    grep -vxE "lib(c|m|dl|pthread|rt)\.so\.[0-9]+|${loader//./\\.}"; then
    echo "dist: the Linux program for $arch needs a library beyond the C library" >&2
    exit 1
  fi
  mkdir "$lin/$name"
  cp "$program" "$lin/$name/"
  # The newest glibc symbol version the program uses is the oldest glibc it runs on.
  local glibc
  glibc=$(readelf -W --dyn-syms "$program" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -n 1)
  sed -e "s/@GLIBC@/${glibc#GLIBC_}/" -e "s/@MACHINE@/${machine//_/-}/" "$root/packaging/README-linux.txt" \
    >"$lin/$name/README.txt"
  cp "$root/LICENSE" "$lin/$name/LICENSE.txt"
  cp "$root/.deps/sdl3/LICENSE.txt" "$lin/$name/SDL3-LICENSE.txt"
  tar -C "$lin" --owner=0 --group=0 --numeric-owner --sort=name -czf "$out/$name.tar.gz" "$name"

  # A cross-built .deb takes its C library's version from here (packaging/install.cmake).
  [ ${#cross[@]} -eq 0 ] || cmake -S "$root" -B "$lin" -DGAME_GLIBC="${glibc#GLIBC_}" >/dev/null
  (cd "$lin" && cpack -G DEB -B "$lin/cpack" >"$lin/cpack.log" 2>&1) || { cat "$lin/cpack.log" >&2; exit 1; }
  cp "$lin/cpack/wheels_${version}_$arch.deb" "$out/"
}
linux amd64
linux arm64

# The web: the page, the game as wheels.js and wheels.wasm, its icon, README and licences, zipped
# with index.html at the zip's root, as web game hosts take it. Debian's Emscripten runs its
# JavaScript optimizer on the machine's node, which finds Debian's acorn module through NODE_PATH.
# A player fetches the game before it starts, so it is built for size, on the SDL3 built with only
# what it uses (.deps/sdl3-web-game): optimized for size, SDL and the game as one (-flto), for a
# page only (no node) and with Emscripten's small allocator (the game allocates its state once).
# Emscripten's file system in memory stays, though the game opens no file: SDL's window keeps
# files dropped on it there, and makes their folder as it opens. WebGL's extensions are not all
# turned on as the context opens (a wait on the browser for each, tens of milliseconds before the
# first frame): SDL's renderer draws with WebGL's own core, and of the extensions it could use,
# the game needs none (the only one on the web, min and max blending, is no blend mode of its).
# The floats round as everywhere (-ffp-contract=off).
web="$root/build-dist-web"
name="wheels-$version-web"
web_link=(-Oz -flto -sENVIRONMENT=web -sMALLOC=emmalloc -sGL_SUPPORT_AUTOMATIC_ENABLE_EXTENSIONS=0
  -sGL_SUPPORT_SIMPLE_ENABLE_EXTENSIONS=0)
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake -S "$root" -B "$web" -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DSDL3_DIR="$root/.deps/sdl3-web-game/lib/cmake/SDL3" \
  "-DCMAKE_CXX_FLAGS_RELEASE=-Oz -flto -DNDEBUG" \
  "-DCMAKE_EXE_LINKER_FLAGS=${web_link[*]}" >/dev/null
cmake --build "$web" -j"$(nproc)" >/dev/null
# What a player fetches before the first frame, compressed as a web server sends it, within its
# budget: the 328 KB the game was before it was built for size would fail.
web_budget=250000 # bytes, gzip -9
fetched=$(($(gzip -9 -c "$web/wheels.wasm" | wc -c) + $(gzip -9 -c "$web/wheels.js" | wc -c)))
if [ "$fetched" -gt "$web_budget" ]; then
  echo "dist: wheels.wasm and wheels.js are $fetched bytes gzipped, over their $web_budget" >&2
  exit 1
fi
# SDL's audio calls this where a browser lacks navigator.userActivation; the link succeeds without
# it, and only such a browser would fail, as the sound opens.
if ! grep -q 'function autoResumeAudioContext' "$web/wheels.js"; then
  echo "dist: wheels.js lacks autoResumeAudioContext, which SDL's audio needs" >&2
  exit 1
fi
rm -rf "${web:?}/$name"
cmake --install "$web" --prefix "$web/$name" >/dev/null
(cd "$web/$name" && zip -q -X "$out/$name.zip" ./*)

# The package and its desktop entry as Debian's own tools see them.
desktop-file-validate "$root/packaging/wheels.desktop"
for arch in amd64 arm64; do
  lintian --fail-on error "$out/wheels_${version}_$arch.deb" 2>&1 | { grep -v '^running with root' || true; }
done

ls -l "$out"
