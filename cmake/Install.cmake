# cmake --install: the programs, the logo data file and a desktop entry that
# starts the program in the logo's directory (it reads the file from there).
include(GNUInstallDirs)

set(ZYN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zynmon)
if(TARGET zynmon)
    install(TARGETS zynmon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS zynmon-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZYN_LOGO_FILE} DESTINATION ${ZYN_INSTALL_DATADIR})

set(ZYN_DESKTOP_EXEC ${CMAKE_INSTALL_FULL_BINDIR}/zynmon)
set(ZYN_DESKTOP_PATH ${CMAKE_INSTALL_FULL_DATADIR}/zynmon)
configure_file(${PROJECT_SOURCE_DIR}/resources/zynmon.desktop.in
               ${CMAKE_BINARY_DIR}/zynmon.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/zynmon.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
