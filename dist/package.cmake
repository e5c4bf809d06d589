# `cmake --build build --target package`: the Debian package floemark_VERSION_ARCH.deb of what
# `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME floemark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${FLOEMARK_MAKER}")
set(CPACK_PACKAGE_CONTACT "${FLOEMARK_MAKER} <${FLOEMARK_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dual-screen LCD handheld game of the penguin and the seal")
set(CPACK_PACKAGE_DESCRIPTION "Floemark Simulator puts Floemark, the dual-screen LCD handheld game
for one or two players, on the desktop. The penguin plays on the left screen,
the seal on the right one; a vulture drops bombs into three lanes, and the
players catch them and throw them back before they explode at their end. One
person plays against the computer, or two people share one keyboard.")
# The package's files are installed with the prefix /usr itself (DESTDIR staging), so that the
# desktop entry and the man page name /usr and not CPack's staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FLOEMARK_HOMEPAGE})
# The libraries the program links come from dpkg-shlibdeps. What it loads by other means is
# named here: Qt's X11 window-system plugin, the face every text of the program is set in, and
# the libraries it opens itself when it needs them, as shlibdeps had them when they were linked
# (SDL2 for the pads, libpulse for PulseAudio's servers; libpipewire is loaded only where
# PipeWire runs, which has installed it).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-liberation2, libsdl2-2.0-0 (>= 2.24.0), libpulse0 (>= 0.99.1)")
# Wayland sessions without XWayland, and F2/F3 opening the documents with the desktop's viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")
include(CPack)
