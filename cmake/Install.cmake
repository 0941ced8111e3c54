# cmake --install: the programs, the logo data file and a desktop entry that
# starts the program in the logo's directory (it reads the file from there).
include(GNUInstallDirs)

set(ZYN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zynmon)
if(TARGET zynmon)
    install(TARGETS zynmon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS zynmon-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZYN_LOGO_FILE} DESTINATION ${ZYN_INSTALL_DATADIR})

# The entry names absolute paths, so it is written at install time, when the
# prefix given to cmake --install is known.
install(CODE "
    set(ZYN_DESKTOP_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zynmon\")
    set(ZYN_DESKTOP_PATH \"\${CMAKE_INSTALL_PREFIX}/${ZYN_INSTALL_DATADIR}\")
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/zynmon.desktop\")
    message(STATUS \"Installing: \${entry}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/resources/zynmon.desktop.in\" \"\${entry}\" @ONLY)
")
