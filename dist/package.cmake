# The Debian package, built by CPack from the install rules (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tessaly developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture-tile matching puzzle")
set(CPACK_PACKAGE_DESCRIPTION
    "Click two tiles with the same picture: they vanish when a path with at most\n\
two turns through empty cells joins them. Eleven levels move the remaining\n\
tiles in different ways, against the clock, with lives, hints, sound cues\n\
and music. The game speaks Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TESSALY_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TESSALY_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Read at run time, so no library link names them: the Chinese font of the menus and boxes, the
# SoundFont of the music, and Qt's own words for its standard buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, timgm6mb-soundfont, qt6-translations-l10n")
# Qt's Wayland platform: without it a Wayland desktop without XWayland cannot show the window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
