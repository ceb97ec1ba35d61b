#!/usr/bin/env bash
# Builds the downloads into dist/: the Windows zip, the Linux tar.gz, the Debian package and the
# web zip. Each comes from a Release build of its own (build-dist-windows/, build-dist-linux/,
# build-dist-web/) with SDL3 and the C++ runtime linked in; later runs reuse those builds and
# rebuild only what changed.
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

# Linux: built with Debian's hardening flags; installed under /usr for the .deb, and the program
# with its README and licences in a folder of its own for the tar.gz.
lin="$root/build-dist-linux"
name="wheels-$version-linux-x86_64"
flags() { (cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
cmake -S "$root" -B "$lin" -DCMAKE_BUILD_TYPE=Release -DGAME_STATIC=ON -DGAME_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$lin" -j"$(nproc)" >/dev/null
rm -rf "$lin/stage" "${lin:?}/$name"
DESTDIR="$lin/stage" cmake --install "$lin" >/dev/null
needed=$(objdump -p "$lin/stage/usr/bin/wheels" | awk '$1 == "NEEDED" { print $2 }')
if grep -vxE 'lib(c|m|dl|pthread|rt)\.so\.[0-9]+|ld-linux-x86-64\.so\.2' <<<"$needed"; then
  echo "dist: the Linux program needs a library beyond the C library" >&2
  exit 1
fi
mkdir "$lin/$name"
cp "$lin/stage/usr/bin/wheels" "$lin/$name/"
# The newest glibc symbol version the program uses is the oldest glibc it runs on.
glibc=$(objdump -T "$lin/$name/wheels" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -n 1)
sed "s/@GLIBC@/${glibc#GLIBC_}/" "$root/packaging/README-linux.txt" >"$lin/$name/README.txt"
cp "$root/LICENSE" "$lin/$name/LICENSE.txt"
cp "$root/.deps/sdl3/LICENSE.txt" "$lin/$name/SDL3-LICENSE.txt"
tar -C "$lin" --owner=0 --group=0 --numeric-owner --sort=name -czf "$out/$name.tar.gz" "$name"

(cd "$lin" && cpack -G DEB -B "$lin/cpack" >"$lin/cpack.log" 2>&1) || { cat "$lin/cpack.log" >&2; exit 1; }
cp "$lin/cpack/wheels_${version}_amd64.deb" "$out/"

# The web: the page, the game as wheels.js and wheels.wasm, its icon, README and licences, zipped
# with index.html at the zip's root, as web game hosts take it. Debian's Emscripten runs its
# JavaScript optimizer on the machine's node, which finds Debian's acorn module through NODE_PATH.
web="$root/build-dist-web"
name="wheels-$version-web"
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake -S "$root" -B "$web" -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF >/dev/null
cmake --build "$web" -j"$(nproc)" >/dev/null
rm -rf "${web:?}/$name"
cmake --install "$web" --prefix "$web/$name" >/dev/null
(cd "$web/$name" && zip -q -X "$out/$name.zip" ./*)

# The package and its desktop entry as Debian's own tools see them.
desktop-file-validate "$root/packaging/wheels.desktop"
lintian --fail-on error "$out/wheels_${version}_amd64.deb" 2>&1 | { grep -v '^running with root' || true; }

ls -l "$out"
