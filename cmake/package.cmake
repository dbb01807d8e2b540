# `cpack -G DEB` in the build folder: the system layout as a Debian package. The library
# dependencies come from dpkg-shlibdeps (dpkg-dev and file must be installed); Qt's
# platform plugins are loaded at run time, so no library names their package.
set(CPACK_PACKAGE_NAME gravmark-parser)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns a game server's log into a clan statistics web page")
# Lines of at most 80 characters, as Debian's policy asks.
set(CPACK_PACKAGE_DESCRIPTION
  "Gravmark Parser reads a game server's games_mp.log and writes index.html:\n\
kills, deaths, games played, kills per game, seven medals and names merged\n\
across a player's aliases. The desktop program gravmark-parser shows each\n\
step; gravmark-batch makes the same page from a scheduler.")
set(CPACK_PACKAGE_CONTACT "Gravmark Parser developers <maintainers@gravmark-parser.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only the system layout goes in: the portable folder is for `cmake --install`.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};system;/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)

# The package's own documents: the copyright notice and, compressed, the changelog.
set(changelog ${PROJECT_BINARY_DIR}/changelog)
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/data/package/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND gzip -9nkf ${changelog}
  DEPENDS ${changelog}
  VERBATIM)
add_custom_target(gravmark_changelog ALL DEPENDS ${changelog}.gz)
set(package_docs ${CMAKE_INSTALL_DATADIR}/doc/gravmark-parser)
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${changelog}.gz DESTINATION ${package_docs}
  COMPONENT system EXCLUDE_FROM_ALL)

include(CPack)
