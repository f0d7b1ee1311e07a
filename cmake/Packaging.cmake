# Man pages and bash completions installed beside the programs, and the
# Debian package that `cpack -G DEB` builds from the installed tree.
# Included at the end of the top-level CMakeLists.txt, after GNUInstallDirs.

# Every program has its man page and its completion file.
foreach(program IN ITEMS imgmint imgpoke imgpeek imgdisk)
  install(FILES ${PROJECT_SOURCE_DIR}/man/${program}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # bash-completion loads the file named after the command on first use.
  install(FILES ${PROJECT_SOURCE_DIR}/completions/${program}.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME ${program})
endforeach()

set(IMGTOOLS_PACKAGE_MAINTAINER "imgtools developers <imgtools@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME imgtools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "create, patch, inspect and rearrange D88 floppy-disk images")
set(CPACK_PACKAGE_DESCRIPTION
    "Command-line tools for D88 floppy-disk image files, the format used by\n"
    "PC-8801, PC-8001, PC-6601 and MS-DOS emulators.\n"
    "imgmint creates a freshly formatted image for one of 25 media types.\n"
    "imgpoke pastes the bytes of a file into the sectors of an image.\n"
    "imgpeek lists the disks and tracks of an image and reads sectors back out.\n"
    "imgdisk extracts, splits, joins, removes, moves, renames and protects the\n"
    "disks of a D88 file.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT ${IMGTOOLS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${IMGTOOLS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # imgtools_<version>_<arch>.deb
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps (package dpkg-dev) derives the libc6/libstdc++6 versions
# the programs need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
