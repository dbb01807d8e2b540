# `cpack -G DEB` in the build folder: the system layout as a Debian package. The library
# dependencies come from dpkg-shlibdeps (dpkg-dev and file must be installed); Qt's
# platform plugins are loaded at run time, so no library names their package.
set(CPACK_PACKAGE_NAME gravmark-parser)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns a game server's log into a clan statistics web page")
set(CPACK_PACKAGE_DESCRIPTION
  "Gravmark Parser reads a game server's games_mp.log and writes index.html: kills, deaths,\n\
games played, kills per game, seven medals and names merged across a player's aliases.\n\
The desktop program gravmark-parser shows each step; gravmark-batch makes the same page\n\
from a scheduler.")
set(CPACK_PACKAGE_CONTACT "Gravmark Parser developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only the system layout goes in: the portable folder is for `cmake --install`.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};system;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)
