# What `cmake --install` puts where, the Debian package that CPack makes of the same files, and
# the Windows program's icon and version. Included from the top-level CMakeLists.txt.

include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(PKG ${CMAKE_CURRENT_LIST_DIR})
set(GZ ${CMAKE_CURRENT_BINARY_DIR}/packaging)

if(WIN32)
  # The icon is the Linux one, drawn at the sizes Windows picks from.
  enable_language(RC)
  set(ICO ${GZ}/wheels.ico)
  add_custom_command(OUTPUT ${ICO}
    COMMAND rsvg-convert -w 256 -h 256 ${PKG}/wheels.svg -o ${GZ}/wheels-256.png
    COMMAND convert ${GZ}/wheels-256.png -define icon:auto-resize=256,48,32,16 ${ICO}
    DEPENDS ${PKG}/wheels.svg
    VERBATIM)
  configure_file(${PKG}/wheels.rc.in ${GZ}/wheels.rc @ONLY)
  set_source_files_properties(${GZ}/wheels.rc PROPERTIES OBJECT_DEPENDS ${ICO})
  target_sources(game PRIVATE ${GZ}/wheels.rc)

  # The Windows download is one folder: the program, how to play it, and the licences.
  install(PROGRAMS $<TARGET_FILE:game> DESTINATION . RENAME wheels.exe)
  install(FILES ${PKG}/README-windows.txt DESTINATION . RENAME README.txt)
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  install(FILES ${SDL3_DIR}/../../../LICENSE.txt DESTINATION . RENAME SDL3-LICENSE.txt)
  return()
endif()

if(EMSCRIPTEN)
  # The web download is one folder for any static web host, index.html at its root: the page, the
  # game as wheels.js and wheels.wasm, the icon drawn small for the browser's tab and large for an
  # installed app (its manifest beside it), the worker that keeps the game for playing offline,
  # how to play it, and the licences.
  set_target_properties(game PROPERTIES OUTPUT_NAME wheels)
  file(MAKE_DIRECTORY ${GZ})
  set(icons ${GZ}/favicon.png ${GZ}/icon-192.png ${GZ}/icon-512.png)
  add_custom_command(OUTPUT ${icons}
    COMMAND rsvg-convert -w 32 -h 32 ${PKG}/wheels.svg -o ${GZ}/favicon.png
    COMMAND rsvg-convert -w 192 -h 192 ${PKG}/wheels.svg -o ${GZ}/icon-192.png
    COMMAND rsvg-convert -w 512 -h 512 ${PKG}/wheels.svg -o ${GZ}/icon-512.png
    DEPENDS ${PKG}/wheels.svg
    VERBATIM)
  add_custom_target(icons ALL DEPENDS ${icons})
  install(FILES $<TARGET_FILE:game> $<TARGET_FILE_DIR:game>/wheels.wasm ${PKG}/index.html
          ${PKG}/manifest.webmanifest ${icons} DESTINATION .)
  # The worker's cache is named by the version and a digest of the files it keeps, taken from the
  # installed files: what changes them, a new version or a rebuild of the same one, changes the
  # worker, and a browser that has kept the game fetches them anew.
  set(kept index.html wheels.js wheels.wasm manifest.webmanifest favicon.png icon-192.png
           icon-512.png)
  install(CODE "set(kept \"${kept}\")\nset(sw \"${PKG}/sw.js.in\")\nset(cache wheels-${PROJECT_VERSION})")
  install(CODE [[
    set(site "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    foreach(file ${kept})
      file(SHA256 "${site}/${file}" digest)
      string(APPEND digests "${digest}\n")
    endforeach()
    string(SHA256 digest "${digests}")
    string(SUBSTRING ${digest} 0 8 digest)
    set(WEB_CACHE ${cache}-${digest})
    # The same files as the worker's list of JavaScript strings: 'index.html', 'wheels.js', ...
    list(TRANSFORM kept REPLACE "(.+)" "'\\1'")
    list(JOIN kept ", " WEB_FILES)
    configure_file(${sw} "${site}/sw.js" @ONLY)
  ]])
  install(FILES ${PKG}/README-web.txt DESTINATION . RENAME README.txt)
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  install(FILES ${SDL3_DIR}/../../../LICENSE.txt DESTINATION . RENAME SDL3-LICENSE.txt)
  # Emscripten's runtime and C and C++ libraries are in wheels.js and wheels.wasm: their notices.
  install(FILES ${PKG}/EMSCRIPTEN-LICENSE.txt DESTINATION .)
  return()
endif()

# The program keeps its build-tree name `game` (the tests and scripts run build/game) and is
# installed as `wheels`.
install(PROGRAMS $<TARGET_FILE:game> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME wheels)
install(FILES ${PKG}/wheels.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PKG}/wheels.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual page and changelog compressed, as Debian installs them; -n keeps the archive free of the
# file's name and time, so the same source gives the same package.
configure_file(${PKG}/wheels.6.in ${GZ}/wheels.6 @ONLY)
add_custom_command(OUTPUT ${GZ}/wheels.6.gz ${GZ}/changelog.gz
  COMMAND gzip -9n -c ${GZ}/wheels.6 > ${GZ}/wheels.6.gz
  COMMAND gzip -9n -c ${PKG}/changelog > ${GZ}/changelog.gz
  DEPENDS ${GZ}/wheels.6 ${PKG}/changelog
  VERBATIM)
add_custom_target(packaging_docs ALL DEPENDS ${GZ}/wheels.6.gz ${GZ}/changelog.gz)
install(FILES ${GZ}/wheels.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${GZ}/changelog.gz ${PKG}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  # Only where Debian's packages go: the .deb.
  install(FILES ${PKG}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME wheels)
endif()

# The .deb: `cpack -G DEB` in a build made with -DGAME_STATIC=ON -DCMAKE_INSTALL_PREFIX=/usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wheels)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Wheels developers")
set(CPACK_PACKAGE_CONTACT "The Wheels developers <wheels@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down action game on two wheels")
set(CPACK_PACKAGE_DESCRIPTION "\
You steer a character who rolls on two wheels, one on each side of the body,
through a nine-by-nine grid of rooms whose walls are laid out anew every
time the game starts. Each side either drives its wheel or holds an item:
drive with both wheels, brake or spin one side to turn, aim with the mouse,
hop, and fire what you hold; every shot pushes you back.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The C library's version comes from the program itself (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL loads the rest when the game starts, so dpkg-shlibdeps cannot see them. X11's two are the
# least the game opens a window with, on an X server or under Xwayland; GL draws faster than
# SDL's software renderer; Wayland natively needs its client libraries, xkbcommon and EGL, and
# libdecor with a plugin for window decorations where the compositor draws none; the sound goes
# through PipeWire, PulseAudio or ALSA, whichever the desktop runs (without any, it plays silently).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libx11-6, libxext6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "\
libgl1, libegl1, libxcursor1, libxfixes3, libxi6, libxrandr2, libxss1, \
libwayland-client0, libwayland-cursor0, libwayland-egl1, libxkbcommon0, \
libdecor-0-0, libdecor-0-plugin-1-cairo, libpipewire-0.3-0, libpulse0, libasound2")
# Cross-built for 64-bit ARM (packaging/aarch64-linux-gnu.cmake): Debian's name for it, not this
# machine's. dpkg-shlibdeps sees only this machine's C library; the newest glibc symbol version
# the program uses (GAME_GLIBC, which scripts/dist.sh reads from it) is what it gives for x86-64.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libc6 (>= ${GAME_GLIBC})")
endif()
include(CPack)
