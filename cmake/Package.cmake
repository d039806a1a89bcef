# The Debian package: cpack -G DEB in the build folder. The manual page, the changelog and the
# copyright notice Debian asks for are installed by every install.
set(TANDOLO_PACKAGE_MAINTAINER "Tandolo developers <tandolo@example.invalid>"
    CACHE STRING "The Maintainer field of the Debian package and its changelog: name <address>")

set(DEBIAN_SOURCES ${PROJECT_SOURCE_DIR}/assets/debian)
set(DEBIAN_DIR ${CMAKE_BINARY_DIR}/debian)
configure_file(${DEBIAN_SOURCES}/tandolo.6.in ${DEBIAN_DIR}/tandolo.6 @ONLY)
configure_file(${DEBIAN_SOURCES}/changelog.in ${DEBIAN_DIR}/changelog @ONLY)
# Compressed without a name or time stamp (-n), so the same sources give the same package.
add_custom_command(
  OUTPUT ${DEBIAN_DIR}/tandolo.6.gz ${DEBIAN_DIR}/changelog.gz
  COMMAND gzip -9nkf ${DEBIAN_DIR}/tandolo.6 ${DEBIAN_DIR}/changelog
  DEPENDS ${DEBIAN_DIR}/tandolo.6 ${DEBIAN_DIR}/changelog
  VERBATIM)
add_custom_target(packagedocs ALL DEPENDS ${DEBIAN_DIR}/tandolo.6.gz ${DEBIAN_DIR}/changelog.gz)
install(FILES ${DEBIAN_DIR}/tandolo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${DEBIAN_DIR}/changelog.gz ${DEBIAN_SOURCES}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tandolo)

set(CPACK_PACKAGE_NAME tandolo)
set(CPACK_PACKAGE_VENDOR "Tandolo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "casual puzzle game: click groups of like pets")
set(CPACK_PACKAGE_DESCRIPTION "Click groups of three or more like pets to clear the squares\n\
behind them before the time bar runs out, through 8 worlds of 5 stages, with\n\
items thrown in by the trees to help.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TANDOLO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens OpenGL itself (GLX or EGL), so no linked library pulls these in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
# Debian keeps the programs of games in /usr/games; from there ../share/tandolo still leads to
# the data, so only the package moves the executable.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGamesDir.cmake)
include(CPack)
