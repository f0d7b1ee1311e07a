# Man pages and bash completions installed beside the programs, and the
# Debian package that `cpack -G DEB` builds from the installed tree.
# Included at the end of the top-level CMakeLists.txt, after GNUInstallDirs.

# Every page in man/ and every completion in completions/ is installed, so a
# new program needs only its man/<program>.1 and completions/<program>.bash.
# CONFIGURE_DEPENDS makes the build notice a file added to either directory.
file(GLOB IMGTOOLS_MAN_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1)
file(GLOB IMGTOOLS_COMPLETIONS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/completions/*.bash)

# Man pages go out gzip-compressed, as Debian policy asks; -n leaves the name
# and time stamp out of the gzip header, so the same page always gives the
# same bytes.
find_program(IMGTOOLS_GZIP gzip REQUIRED)
set(compressed_pages)
foreach(page IN LISTS IMGTOOLS_MAN_PAGES)
  get_filename_component(page_name ${page} NAME)
  set(copy ${CMAKE_BINARY_DIR}/man/${page_name})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${page} ${copy}
                     COMMAND ${IMGTOOLS_GZIP} -9nf ${copy}
                     DEPENDS ${page}
                     COMMENT "Compressing man page ${page_name}"
                     VERBATIM)
  list(APPEND compressed_pages ${copy}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed_pages})
install(FILES ${compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# bash-completion loads the file named after the command on first use.
foreach(completion IN LISTS IMGTOOLS_COMPLETIONS)
  get_filename_component(program ${completion} NAME_WE)
  install(FILES ${completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
endforeach()

set(IMGTOOLS_PACKAGE_MAINTAINER "imgtools developers <imgtools@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(IMGTOOLS_PACKAGE_RELEASE 1 CACHE STRING "Debian revision of the package (the part after the hyphen)")
set(package_version ${PROJECT_VERSION}-${IMGTOOLS_PACKAGE_RELEASE})

# The package's changelog is kept by hand in packaging/changelog; its newest
# entry must be the version being packaged.
file(READ ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_text)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
string(REGEX MATCH "^[^\n]*" changelog_head "${changelog_text}")
if(NOT changelog_head MATCHES "^imgtools \\(${package_version}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with \"${changelog_head}\"; "
                      "add an entry for version ${package_version} at its top")
endif()
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian)
add_custom_command(OUTPUT ${changelog}.gz
                   COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${changelog}
                   COMMAND ${IMGTOOLS_GZIP} -9nf ${changelog}
                   DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
                   COMMENT "Compressing the package changelog"
                   VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${changelog}.gz)

# The copyright file in Debian's machine-readable format, with the licence
# text taken from LICENSE: its copyright line names the holders, and the
# rest is indented by one space, with " ." for each empty line.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE has no \"Copyright (c) ...\" line followed by the licence text")
endif()
set(IMGTOOLS_COPYRIGHT_HOLDERS ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" IMGTOOLS_LICENSE_TEXT "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " IMGTOOLS_LICENSE_TEXT " ${IMGTOOLS_LICENSE_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)

# The copyright and changelog files and the lintian overrides belong to the
# Debian package alone: they are a component that `cmake --install` leaves
# out and that CPack installs with the rest (see CPACK_INSTALL_CMAKE_PROJECTS
# below).
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${changelog}.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME imgtools
        COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME imgtools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${IMGTOOLS_PACKAGE_RELEASE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "create, patch, inspect, convert and rearrange D88 floppy-disk images")
set(CPACK_PACKAGE_DESCRIPTION
    "Command-line tools for D88 floppy-disk image files, the format used by\n"
    "PC-8801, PC-8001, PC-6601 and MS-DOS emulators.\n"
    "imgmint creates a freshly formatted image for one of 25 media types.\n"
    "imgpoke pastes the bytes of a file into the sectors of an image.\n"
    "imgpeek lists the disks and tracks of an image and reads sectors back out.\n"
    "imgdisk extracts, splits, joins, removes, moves, renames and protects the\n"
    "disks of a D88 file.\n"
    "imgconv converts a disk between D88, plain sector images and FDI.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT ${IMGTOOLS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${IMGTOOLS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The completions are of use only with bash-completion, which loads them.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS bash-completion)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # imgtools_<version>-<release>_<arch>.deb
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps (package dpkg-dev) derives the libc6 version the programs
# need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Everything `cmake --install` installs, then the Debian-only files.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/"
                                 "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")

include(CPack)
