# Man pages and bash completions installed beside the programs, and the
# Debian package that `cpack -G DEB` builds from the installed tree.
# Included at the end of the top-level CMakeLists.txt, after the program
# targets are defined.

include(GNUInstallDirs)

# A page or completion is installed only for a program this build makes,
# and a page only once it has been written.
foreach(program IN ITEMS imgmint imgpoke imgpeek imgconv)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(page ${PROJECT_SOURCE_DIR}/man/${program}.1)
  if(EXISTS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
  set(completion ${PROJECT_SOURCE_DIR}/completions/${program}.bash)
  if(EXISTS ${completion})
    # bash-completion loads the file named after the command on first use.
    install(FILES ${completion}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            RENAME ${program})
  endif()
endforeach()
# Configure again when a page or completion is added.
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/man ${PROJECT_SOURCE_DIR}/completions)

set(IMGTOOLS_PACKAGE_MAINTAINER "imgtools developers <imgtools@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME imgtools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "create, patch, inspect and convert D88 floppy-disk images")
# The long description names only the programs this build makes.
set(CPACK_PACKAGE_DESCRIPTION
    "Command-line tools for D88 floppy-disk image files, the format used by\n"
    "PC-8801, PC-8001, PC-6601 and MS-DOS emulators.\n"
    "imgmint creates a freshly formatted image for one of 25 media types.")
if(TARGET imgpoke)
  list(APPEND CPACK_PACKAGE_DESCRIPTION
       "\nimgpoke pastes the bytes of a file into the sectors of an image.")
endif()
if(TARGET imgpeek)
  list(APPEND CPACK_PACKAGE_DESCRIPTION
       "\nimgpeek lists the disks and tracks of an image and reads sectors back out.")
endif()
if(TARGET imgconv)
  list(APPEND CPACK_PACKAGE_DESCRIPTION
       "\nimgconv converts images between D88, raw sector images and FDI.")
endif()
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
