# Where the program's files go. In the build folder the help manual is copied beside the
# program, which opens it from there; an installation puts the program and the command-line
# tool in bin, the tool's manual page in man1, the help in share/doc/marrowby2 (the program
# looks there, relative to itself, when no manual lies beside it), and the desktop entry,
# AppStream metainfo and icon where desktops look for them. The thumbnailer entry and the MIME
# kinds it needs come with the command-line tool, which makes the thumbnails. `cpack -G DEB`
# packs an installation into /usr as a Debian package.
include(GNUInstallDirs)

set(MARROWBY_HELP ${CMAKE_SOURCE_DIR}/dist/help/marrowby2.html)
set(MARROWBY_LINUX ${CMAKE_SOURCE_DIR}/dist/linux)

install(TARGETS marrowby2-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MARROWBY_LINUX}/marrowby2-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${MARROWBY_LINUX}/marrowby2.thumbnailer
    DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${MARROWBY_LINUX}/marrowby2.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

if(TARGET marrowby2)
    set(help_beside_program ${CMAKE_BINARY_DIR}/marrowby2.html)
    add_custom_command(OUTPUT ${help_beside_program}
        COMMAND ${CMAKE_COMMAND} -E copy ${MARROWBY_HELP} ${help_beside_program}
        DEPENDS ${MARROWBY_HELP} VERBATIM)
    add_custom_target(marrowby2_help ALL DEPENDS ${help_beside_program})
    add_dependencies(marrowby2 marrowby2_help)

    install(TARGETS marrowby2 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${MARROWBY_HELP} DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${MARROWBY_LINUX}/example.marrowby.marrowby2.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${MARROWBY_LINUX}/example.marrowby.marrowby2.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${MARROWBY_LINUX}/marrowby2.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME marrowby2)
set(CPACK_PACKAGE_VENDOR "Tallowmere, Inc.")
set(CPACK_PACKAGE_CONTACT "Tallowmere, Inc. <support@marrowby.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find, view and extract icons")
set(CPACK_PACKAGE_DESCRIPTION
    "Marrowby 2 finds, shows and extracts the icons of Windows executables and libraries, "
    "icon libraries and icon, cursor and animated-cursor files, and makes thumbnails of them "
    "for file managers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://marrowby.example/)
# The libraries the programs link to become Depends through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
