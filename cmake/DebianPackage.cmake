# The Debian package of what `cmake --install` puts on a desktop, for the
# release it is built on: `cpack -G DEB` (scripts/package.sh) in the build
# folder gives tavinor_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavinor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tavinor <support@tavinor.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "favorites, a personal start page, web music and a screen lock, from the tray")
set(CPACK_PACKAGE_DESCRIPTION "Tavinor stays in the system tray and keeps web favorites in categories,
makes a personal start page of them, plays web music and locks the
computer with a password of its own. Its windows speak Simplified Chinese.")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVINOR_SITE_URL})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries the binaries link come from dpkg-shlibdeps; these are what
# Qt loads at run time, which no binary names: the X11 platform plugin and
# the SQLite driver that reads Firefox's bookmarks.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
# The windows' Chinese text, and the system browser that opens the links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")
# Packing installs only what was built for it, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
include(CPack)
