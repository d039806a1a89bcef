# Run by cpack on the files staged for a package, before it is made: the Debian package keeps
# the executable in /usr/games.
if(CPACK_GENERATOR STREQUAL "DEB")
  file(RENAME ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/games)
endif()
