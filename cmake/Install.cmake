# Where the program's files go. In the build folder the help manual is copied beside the
# program, which opens it from there; an installation puts the program and the command-line
# tool in bin, the tool's manual page in man1, the help in share/doc/marrowby2 (the program
# looks there, relative to itself, when no manual lies beside it), and the desktop entry, AppStream metainfo and icon where
# desktops look for them.
include(GNUInstallDirs)

set(MARROWBY_HELP ${CMAKE_SOURCE_DIR}/dist/help/marrowby2.html)
set(MARROWBY_LINUX ${CMAKE_SOURCE_DIR}/dist/linux)

install(TARGETS marrowby2-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MARROWBY_LINUX}/marrowby2-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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
