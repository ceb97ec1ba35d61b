#!/usr/bin/env bash
# Installs what the game, its tests and its downloads need, and builds SDL3 3.2 from Debian's own
# source package. `scripts/setup.sh game` sets up only what building and running the game on this
# machine needs: the compiler, CMake, the packages of SDL3's X11, Wayland and sound back ends, and
# SDL3 for this machine (the shared library, without the parts nothing here uses) in .deps/sdl3.
# With no argument it also installs the packages of the tests and the downloads and builds SDL3
# five times more, each a static library: for this machine's Linux download into .deps/sdl3-static,
# for 64-bit ARM Linux (against Debian's arm64 packages unpacked into .deps/arm64) into
# .deps/sdl3-arm64, for 64-bit Windows into .deps/sdl3-mingw, for the web (Emscripten) into
# .deps/sdl3-web (the unit tests') and, with only what the game uses, into .deps/sdl3-web-game
# (the web download's); and GoogleTest for Windows, 64-bit ARM and the web.
# `scripts/setup.sh --plan [game]` prints what it makes sure of, one line each, and does nothing.
# Safe to run again: installed packages, the fetched source and the SDL3 builds are reused; an
# SDL3 build is redone only when the options it is built with, or its patch, change. Each long step
# shows how far it has got (scripts/progress.sh), its whole output kept in a log in .deps.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
source "$root/scripts/progress.sh"

plan='' size=all
for arg; do
  case $arg in
  --plan) plan=1 ;;
  game) size=game ;;
  *) echo "usage: scripts/setup.sh [--plan] [game]" >&2 && exit 2 ;;
  esac
done
# planned WHAT: with --plan, prints WHAT and is true, so that the caller does nothing more.
planned() { [ -n "$plan" ] && echo "$*"; }

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# The test command, the run command and scripts/dist.sh may start side by side: one set-up at a
# time, of either size; the others wait and then find done what it did.
if [ -z "$plan" ]; then
  mkdir -p "$deps"
  exec 9>"$deps/.setup.lock"
  flock 9
fi

# What building and running the game needs.
game_packages=(
  build-essential cmake pkg-config ca-certificates
  # SDL3's X11 video back end
  libx11-dev libxext-dev libxrandr-dev libxcursor-dev libxi-dev libxfixes-dev libxss-dev libxkbcommon-dev
  # SDL3's Wayland video back end, and window decorations under compositors that draw none
  libwayland-dev wayland-protocols libdecor-0-dev libegl-dev libdecor-0-plugin-1-cairo
  # SDL3's sound back ends: PulseAudio, PipeWire and ALSA
  libpulse-dev libpipewire-0.3-dev libasound2-dev
  # the renderer: OpenGL on Mesa, under Xvfb too
  libgl1 libegl1 libgl1-mesa-dri
)
# What the tests and the downloads need besides.
more_packages=(
  git libgtest-dev libbenchmark-dev clang
  # end-to-end tests: a real X server, input, screenshots, keyboard layouts
  xvfb xauth xdotool imagemagick x11-utils x11-xkb-utils
  # a desktop's sound server with no hardware, and its recorder
  pulseaudio pulseaudio-utils
  # the downloads: the Windows cross compiler, wine to try the result, archives, package checks
  g++-mingw-w64-x86-64-posix wine wine64 zip desktop-file-utils lintian
  # the Windows program's icon, drawn from the SVG one
  librsvg2-bin
  # trying the downloads by hand: a window manager for close requests, a Wayland compositor
  openbox wmctrl weston
  # the web download: Debian's Emscripten, and Chromium driven through Selenium to try it
  emscripten chromium chromium-driver python3-selenium
  # 64-bit ARM: Debian's cross compiler, and qemu to run what it builds
  crossbuild-essential-arm64 qemu-user
)

# apt-get as the set-up runs it: as root, never asking, in English (apt_steps reads its summary),
# reporting how far it has got on its output.
apt_get=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive LC_ALL=C apt-get -o APT::Status-Fd=1)

# apt_steps LOG install|download APT-GET-ARGUMENTS...: fetches the packages that apt-get install
# with those arguments installs, then installs them (or only fetches), each a step whose label
# gives apt's count and size ("installing 143 packages, 402 MB", its size unpacked).
apt_steps() {
  local log=$1 what=$2 summary count
  shift 2
  summary=$("${apt_get[@]}" --assume-no install "$@" 2>/dev/null || true)
  count=$(sed -n 's/.* \([0-9]*\) newly installed.*/\1/p' <<<"$summary")
  step "setup: downloading $count packages, $(sed -n 's/^Need to get \(.*\) of archives\./\1/p' <<<"$summary")" \
    "$log-download.log" "${apt_get[@]}" -y --download-only install "$@"
  [ "$what" = download ] ||
    step "setup: installing $count packages, $(sed -n 's/^After this operation, \(.*\) of additional .*/\1/p' <<<"$summary")" \
      "$log-install.log" "${apt_get[@]}" -y install "$@"
}

# install_packages NAME...: installs those not installed yet.
install_packages() {
  planned "install $*" && return
  local missing=() p
  for p; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "setup: ${#missing[@]} of the packages are missing: ${missing[*]}"
  step "setup: updating apt's package lists" "$deps/apt-update.log" "${apt_get[@]}" update
  apt_steps "$deps/apt" install --no-install-recommends "${missing[@]}"
}
if [ $size = game ]; then
  install_packages "${game_packages[@]}"
else
  install_packages "${game_packages[@]}" "${more_packages[@]}"
fi

# Debian's archive as this machine's apt already uses it, and the machine's own release:
# "URI CODENAME" in $archive.
debian_archive() {
  apt-get indextargets --format '$(LABEL) $(REPO_URI) $(CODENAME)' 2>/dev/null | awk '$1 == "Debian" { print $2, $3; exit }'
}
find_archive() {
  [ -z "${archive:-}" ] || return 0
  archive=$(debian_archive)
  if [ -z "$archive" ]; then
    step "setup: updating apt's package lists" "$deps/apt-update.log" "${apt_get[@]}" update
    archive=$(debian_archive)
  fi
  [ -n "$archive" ] || { echo "setup: no Debian archive in this machine's apt configuration" >&2; exit 1; }
}

# private_apt DIR TYPE [SUITE]: a fresh apt state in DIR whose one source is Debian's archive
# (TYPE "deb" or "deb-src", SUITE or the machine's own release, main), checked against Debian's
# archive keyring; apt_opts then runs apt-get on it with its own lists and cache, so that the
# machine's apt set-up, lists and cache stay untouched.
private_apt() {
  find_archive
  rm -rf "$1"
  mkdir -p "$1/sources.list.d" "$1/lists/partial" "$1/cache"
  echo "$2 [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] ${archive% *} ${3:-${archive#* }} main" \
    >"$1/sources.list.d/debian.list"
  apt_opts=(
    -o Dir::Etc::sourcelist=/dev/null
    -o Dir::Etc::sourceparts="$1/sources.list.d"
    -o Dir::State::Lists="$1/lists"
    -o Dir::Cache="$1/cache"
    -o APT::Sandbox::User=root
  )
}

# Debian's own SDL3 source package from the next release, fetched once into .deps/apt/src.
aptdir="$deps/apt"
source_tarball() {
  ls "$aptdir/src"/libsdl3_*.orig.tar.* 2>/dev/null | head -n 1
}
fetch_source() {
  planned "fetch Debian's SDL3 source package into ${aptdir#"$root/"}/src" && return
  [ -z "$(source_tarball)" ] || return 0
  private_apt "$aptdir" deb-src trixie
  mkdir -p "$aptdir/src"
  step "setup: fetching the SDL3 source package" "$aptdir.log" apt_source
  [ -n "$(source_tarball)" ] || { echo "setup: no SDL3 source tarball was fetched" >&2; exit 1; }
}
apt_source() {
  "${apt_get[@]}" "${apt_opts[@]}" update && (cd "$aptdir/src" && "${apt_get[@]}" "${apt_opts[@]}" source --download-only libsdl3)
}

# Debian's arm64 packages of the machine's own release that SDL3 for arm64 builds against and the
# arm64 game and unit tests run against under qemu, unpacked into .deps/arm64 (the emulated
# machine's root). apt fetches and verifies them through a private state for arm64 alone, with
# an empty package status; nothing is installed, and the tree is fetched again only when this
# list changes.
tree="$deps/arm64"
tree_packages=(
  # the headers and pkg-config files of SDL3's X11 and Wayland back ends, with their libraries
  libx11-dev libxext-dev libxrandr-dev libxcursor-dev libxi-dev libxfixes-dev libxss-dev libxkbcommon-dev
  libwayland-dev wayland-protocols libdecor-0-dev libegl-dev
  # the headers and pkg-config files of its PulseAudio, PipeWire and ALSA back ends
  libpulse-dev libpipewire-0.3-dev libasound2-dev
  # GL and EGL with Mesa's drivers, which SDL loads when the game starts (libdecor's plugin, for
  # Wayland compositors that draw no decorations, is left out: the game runs here under X11)
  libgl1 libegl1 libgl1-mesa-dri
)
fetch_tree() {
  planned "fetch Debian's arm64 packages into ${tree#"$root/"}: ${tree_packages[*]}" && return
  [ "$(cat "$tree/.packages" 2>/dev/null)" != "${tree_packages[*]}" ] || return 0
  local dir="$deps/apt-arm64" stage="$deps/arm64-stage" deb
  private_apt "$dir" deb
  mkdir "$dir/preferences.d"
  touch "$dir/status"
  apt_opts+=(
    -o APT::Architecture=arm64 -o APT::Architectures=arm64
    -o Dir::State::status="$dir/status" -o Dir::State::extended_states="$dir/extended_states"
    -o Dir::Etc::preferences=/dev/null -o Dir::Etc::preferencesparts="$dir/preferences.d"
    -o Dir::Log="$dir/log"
  )
  step "setup: updating the package lists for arm64" "$dir-update.log" "${apt_get[@]}" "${apt_opts[@]}" update
  apt_steps "$dir" download "${apt_opts[@]}" --no-install-recommends "${tree_packages[@]}"
  rm -rf "$stage"
  mkdir -p "$stage"
  for deb in "$dir"/cache/archives/*.deb; do
    dpkg-deb -x "$deb" "$stage"
  done
  echo "${tree_packages[*]}" >"$stage/.packages"
  rm -rf "$tree"
  mv "$stage" "$tree"
  rm -rf "$dir" "$dir"-*.log "$deps/sdl3-arm64/.options" # SDL3 for arm64 is built against the new tree
}

# cmake_steps SOURCE BUILD STAGE CMAKE-OPTIONS...: configures, builds and installs one project,
# under STAGE if it is not empty.
cmake_steps() {
  local src=$1 work=$2 stage=$3
  shift 3
  cmake -S "$src" -B "$work" "$@" && cmake --build "$work" -j"$(nproc)" && DESTDIR="$stage" cmake --install "$work"
}

# build_sdl3 PREFIX CMAKE-OPTIONS...: builds SDL3 from the fetched source into PREFIX, unless
# PREFIX/.options already names the same source and options (files of the project named from its
# root, so that checkouts sharing .deps agree on them). The build is installed beside
# PREFIX first and put in its place by renaming only once it is complete, so that builds linking
# the old one keep working until then and a failed build replaces nothing. SDL3_PATCH=FILE before
# the call applies FILE to the unpacked source, and .options names the patch's checksum too.
# SDL3_DRIVERS names what the build must have: KIND_NAME stands for SDL_KIND_DRIVER_NAME or
# SDL_KIND_NAME in SDL's build configuration, as VIDEO_X11 for SDL_VIDEO_DRIVER_X11 and
# JOYSTICK_VIRTUAL for SDL_JOYSTICK_VIRTUAL.
build_sdl3() {
  local prefix=$1
  shift
  planned "build ${prefix#"$root/"}" && return
  local tarball mark
  tarball=$(source_tarball)
  mark="$(basename "$tarball") ${*//"$root/"/} back ends ${SDL3_DRIVERS[*]}"
  [ -z "${SDL3_PATCH:-}" ] || mark+=" patch $(sha256sum <"$SDL3_PATCH" | cut -c1-16)"
  if [ -f "$prefix/.options" ] && [ "$(cat "$prefix/.options")" = "$mark" ]; then
    return 0
  fi
  local name src work stage
  name=$(basename "$prefix")
  src="$deps/$name-src"
  work="$deps/$name-build"
  stage="$deps/$name-stage"
  rm -rf "$src" "$work" "$stage"
  mkdir -p "$src"
  tar -xf "$tarball" -C "$src" --strip-components=1
  [ -z "${SDL3_PATCH:-}" ] || patch -s -p1 -d "$src" <"$SDL3_PATCH"

  # "@SRC@" in an option stands for the unpacked source, e.g. for SDL's own toolchain files.
  step "setup: building SDL3 into ${prefix#"$root/"}" "$work.log" \
    cmake_steps "$src" "$work" "$stage" -DCMAKE_INSTALL_PREFIX="$prefix" "${@//@SRC@/$src}"
  # The back ends the game relies on must really be in; SDL leaves out quietly what it cannot find.
  local config="$work/include-config-release/build_config/SDL_build_config.h"
  for driver in "${SDL3_DRIVERS[@]}"; do
    grep -Eq "#define SDL_${driver%%_*}_(DRIVER_)?${driver#*_} 1" "$config" ||
      { echo "setup: SDL3 for $name was configured without its $driver back end" >&2; exit 1; }
  done
  cp "$src/LICENSE.txt" "$stage$prefix/LICENSE.txt"
  echo "$mark" >"$stage$prefix/.options"

  rm -rf "$prefix.old"
  [ ! -e "$prefix" ] || mv "$prefix" "$prefix.old"
  mv "$stage$prefix" "$prefix"
  rm -rf "$prefix.old" "$src" "$work" "$stage" "$work.log"
}

common=(-DCMAKE_BUILD_TYPE=Release -DSDL_TESTS=OFF -DSDL_EXAMPLES=OFF -DSDL_TEST_LIBRARY=OFF)
linux=(-DCMAKE_POSITION_INDEPENDENT_CODE=ON -DSDL_X11=ON -DSDL_WAYLAND=ON -DSDL_WAYLAND_LIBDECOR=ON
  -DSDL_KMSDRM=OFF)

fetch_source

# This machine's, for the game, its tests and its benchmarks: the shared library with what they use,
# each video, sound and input back end a desktop or the tests rely on (the dummy and offscreen
# video and the dummy sound drivers are the tests', the virtual joystick the gamepad tests'), and
# OpenGL for its renderer beside the software one. Left out, since nothing here uses them: the
# camera, the GPU API with Vulkan and their renderers, file dialogs, haptic devices (a pad rumbles
# through its joystick driver), power and sensor readings, and the disk, JACK and sndio sound drivers.
SDL3_DRIVERS=(VIDEO_X11 VIDEO_WAYLAND VIDEO_DUMMY VIDEO_OFFSCREEN VIDEO_RENDER_OGL AUDIO_PULSEAUDIO
  AUDIO_PIPEWIRE AUDIO_ALSA AUDIO_DUMMY JOYSTICK_LINUX JOYSTICK_HIDAPI JOYSTICK_VIRTUAL)
build_sdl3 "$deps/sdl3" "${common[@]}" -DSDL_SHARED=ON -DSDL_STATIC=OFF "${linux[@]}" \
  -DSDL_CAMERA=OFF -DSDL_GPU=OFF -DSDL_VULKAN=OFF -DSDL_DIALOG=OFF -DSDL_HAPTIC=OFF -DSDL_POWER=OFF \
  -DSDL_SENSOR=OFF -DSDL_DISKAUDIO=OFF -DSDL_JACK=OFF -DSDL_SNDIO=OFF
[ $size != game ] || exit 0

# This machine's static library (position-independent, for Debian's PIE executables) for the
# Linux download, with all that SDL builds by default: a player's machine may use any of it. X11,
# Wayland and their libraries, libdecor and GL stay loaded at run time, so the static build needs
# nothing but glibc at link time.
SDL3_DRIVERS=(VIDEO_X11 VIDEO_WAYLAND AUDIO_PULSEAUDIO AUDIO_PIPEWIRE AUDIO_ALSA)
build_sdl3 "$deps/sdl3-static" "${common[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON "${linux[@]}"

# 64-bit ARM Linux, cross-compiled with Debian's compiler against the arm64 tree: the static
# library, built as this machine's, for the arm64 downloads and unit tests.
fetch_tree
build_sdl3 "$deps/sdl3-arm64" "${common[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON "${linux[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/packaging/aarch64-linux-gnu.cmake"

# Windows, cross-compiled with SDL's own toolchain file: a static library for a one-file .exe.
# Debian's source leaves out the prebuilt Direct3D shaders, so the GPU API and the Direct3D
# renderers are off and the game draws with OpenGL.
SDL3_DRIVERS=(VIDEO_WINDOWS AUDIO_WASAPI AUDIO_DSOUND)
build_sdl3 "$deps/sdl3-mingw" "${common[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
  -DCMAKE_TOOLCHAIN_FILE=@SRC@/build-scripts/cmake-toolchain-mingw64-x86_64.cmake \
  -DCMAKE_C_COMPILER="$(command -v x86_64-w64-mingw32-gcc-posix)" \
  -DCMAKE_CXX_COMPILER="$(command -v x86_64-w64-mingw32-g++-posix)" \
  -DSDL_GPU=OFF -DSDL_RENDER_D3D=OFF -DSDL_RENDER_D3D11=OFF -DSDL_RENDER_D3D12=OFF

# The web, with Debian's Emscripten: static libraries. Emscripten 3.1.6 needs the changes in
# packaging/sdl3-emscripten.patch. Its JavaScript optimizer runs on the machine's node, which finds
# Debian's acorn module only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
web=(-DSDL_SHARED=OFF -DSDL_STATIC=ON
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
patch="$root/packaging/sdl3-emscripten.patch"
# For the unit tests under node (unit.wasm), with all that SDL builds by default: they draw with the
# software renderer and play with the virtual joystick and the dummy drivers.
SDL3_DRIVERS=(VIDEO_EMSCRIPTEN AUDIO_EMSCRIPTEN)
SDL3_PATCH=$patch build_sdl3 "$deps/sdl3-web" "${common[@]}" "${web[@]}"
# For the web download, with only what the game uses in a browser (the video with the GLES2
# renderer on WebGL, events, keys, the mouse, touch, pads through the browser's Gamepad API, sound
# through Web Audio, timers) and built for size (-Oz, and -flto, so that the game's link optimizes
# SDL and the game as one): every byte of it is fetched before the game starts. Left out besides
# what .deps/sdl3 leaves out: the dummy and offscreen video and the dummy sound drivers, HIDAPI's
# pad drivers (a page reaches pads only through the Gamepad API), and with SDL_LEAN_AND_MEAN the
# software renderer, run-length encoded surfaces, YUV, the image decoder and the fast blitters (the
# debug text's one conversion, into a texture, takes SDL's general blitter). The virtual joystick
# stays, and so HIDAPI, which it depends on: SDL's joystick code refers to it even when it is left
# out, and the link would fail. The tray is the dummy one on the web whatever the options.
SDL3_DRIVERS=(VIDEO_EMSCRIPTEN VIDEO_RENDER_OGL_ES2 AUDIO_EMSCRIPTEN JOYSTICK_EMSCRIPTEN)
SDL3_PATCH=$patch build_sdl3 "$deps/sdl3-web-game" "${common[@]}" "${web[@]}" \
  -DSDL_CAMERA=OFF -DSDL_GPU=OFF -DSDL_DIALOG=OFF -DSDL_HAPTIC=OFF -DSDL_POWER=OFF -DSDL_SENSOR=OFF \
  -DSDL_DISKAUDIO=OFF -DSDL_DUMMYAUDIO=OFF -DSDL_DUMMYVIDEO=OFF -DSDL_OFFSCREEN=OFF \
  -DSDL_HIDAPI_JOYSTICK=OFF -DCMAKE_C_FLAGS=-DSDL_LEAN_AND_MEAN=1 \
  "-DCMAKE_C_FLAGS_RELEASE=-Oz -flto -DNDEBUG"

# GoogleTest for the other builds of the unit tests (scripts/test.sh), from Debian's own source in
# /usr/src/googletest: build_gtest PREFIX CMAKE-OPTIONS..., redone only when the options change.
build_gtest() {
  local prefix=$1 work="$deps/$(basename "$1")-build"
  shift
  planned "build ${prefix#"$root/"}" && return
  local mark
  mark="googletest $(dpkg-query -W -f='${Version}' googletest) ${*//"$root/"/}"
  [ "$(cat "$prefix/.options" 2>/dev/null)" != "$mark" ] || return 0
  rm -rf "$work" "$prefix"
  step "setup: building GoogleTest into ${prefix#"$root/"}" "$work.log" \
    cmake_steps /usr/src/googletest "$work" "" -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF "$@"
  echo "$mark" >"$prefix/.options"
  rm -rf "$work" "$work.log"
}
build_gtest "$deps/gtest-mingw" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/packaging/mingw-w64-x86_64.cmake"
build_gtest "$deps/gtest-web" -DCMAKE_BUILD_TYPE=Release -Dgtest_disable_pthreads=ON \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
build_gtest "$deps/gtest-arm64" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/packaging/aarch64-linux-gnu.cmake"
