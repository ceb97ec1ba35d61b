# Cross-compiling for 64-bit ARM Linux with Debian's cross compiler (crossbuild-essential-arm64).
# The C library and C++ runtime come with the compiler; X11's, Wayland's and GL's headers and
# pkg-config files, which SDL3 for arm64 builds against, from Debian's arm64 packages that
# scripts/setup.sh unpacks into .deps/arm64. Its include folder is never added to the compiler's
# own: SDL's Wayland build puts its generated protocol headers first.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
get_filename_component(GAME_ARM64_TREE ${CMAKE_CURRENT_LIST_DIR}/../.deps/arm64 ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu ${GAME_ARM64_TREE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(ENV{PKG_CONFIG_LIBDIR}
    ${GAME_ARM64_TREE}/usr/lib/aarch64-linux-gnu/pkgconfig:${GAME_ARM64_TREE}/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${GAME_ARM64_TREE})
