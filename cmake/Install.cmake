# SPDX-License-Identifier: MIT
# cmake --install (and cpack, which installs the same): the programs, the logo
# data file, a desktop entry that starts the program in the logo's directory
# (it reads the file from there), the icons, the AppStream metadata, the
# manual pages, the copyright file and the changelog. Who the program is (its
# id, web address, maintainer) comes from cmake/Identity.cmake.
include(GNUInstallDirs)

set(ZYN_RELEASE_DATE "2026-12-06")
execute_process(COMMAND date -u -R -d ${ZYN_RELEASE_DATE}
                OUTPUT_VARIABLE ZYN_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

set(ZYN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zynmon)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(ZYN_DIST_DIR ${CMAKE_BINARY_DIR}/dist)

if(TARGET zynmon)
    install(TARGETS zynmon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS zynmon-render zynmon-logo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack) also drops the compiler's notes, as a
# distribution's packaging does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program zynmon zynmon-render zynmon-logo)
            set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
            if(EXISTS \${file})
                execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                                        --remove-section=.note \${file} COMMAND_ERROR_IS_FATAL ANY)
            endif()
        endforeach()
    endif()
")
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

# The icons: the test card on a monitor's screen, drawn for each size of the
# theme and as a scalable drawing.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ZYN_ICON_SIZES 16 22 24 32 48 64 128 256 512)
set(icons ${ZYN_DIST_DIR}/icons/scalable/zynmon.svg)
foreach(size ${ZYN_ICON_SIZES})
    list(APPEND icons ${ZYN_DIST_DIR}/icons/${size}x${size}/zynmon.png)
    install(FILES ${ZYN_DIST_DIR}/icons/${size}x${size}/zynmon.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(
    OUTPUT ${icons}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_icons.py ${ZYN_DIST_DIR}/icons
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_icons.py
    COMMENT "Drawing the icons")
install(FILES ${ZYN_DIST_DIR}/icons/scalable/zynmon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The web addresses, only where the project has a home on the internet; the
# screenshot they name is drawn into the build, to be published there.
set(ZYN_METAINFO_WEB "")
set(web_files)
if(ZYN_HOMEPAGE)
    # Under the sanitizers fontconfig's own allocations would count as leaks.
    set(render_env)
    if(ZYN_SANITIZE)
        set(render_env ${CMAKE_COMMAND} -E env
                       LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp)
    endif()
    set(web_files ${ZYN_DIST_DIR}/web/testcard.png)
    add_custom_command(
        OUTPUT ${web_files}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ZYN_DIST_DIR}/web
        COMMAND ${render_env} $<TARGET_FILE:zynmon-render>
                --picture 12 --size 1024x768 --output ${web_files}
        DEPENDS zynmon-render
        COMMENT "Drawing the screenshot for ${ZYN_HOMEPAGE}")
    string(CONFIGURE [=[

  <url type="homepage">@ZYN_HOMEPAGE@</url>
  <screenshots>
    <screenshot type="default">
      <caption>The composite test card at 1024x768</caption>
      <image>@ZYN_HOMEPAGE@/testcard.png</image>
    </screenshot>
  </screenshots>]=] ZYN_METAINFO_WEB @ONLY)
endif()
set(ZYN_METAINFO ${ZYN_DIST_DIR}/${ZYN_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/resources/zynmon.metainfo.xml.in ${ZYN_METAINFO} @ONLY)
install(FILES ${ZYN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog go compressed, without a name or time stamp
# in the gzip header, so that each build gives the same bytes.
function(zyn_gzip source output)
    configure_file(${source} ${ZYN_DIST_DIR}/${output} @ONLY)
    add_custom_command(
        OUTPUT ${ZYN_DIST_DIR}/${output}.gz
        COMMAND gzip -9nkf ${output}
        DEPENDS ${ZYN_DIST_DIR}/${output} ${source}
        WORKING_DIRECTORY ${ZYN_DIST_DIR}
        COMMENT "Compressing ${output}")
endfunction()
set(compressed)
foreach(page zynmon zynmon-render zynmon-logo)
    zyn_gzip(${PROJECT_SOURCE_DIR}/resources/man/${page}.1 ${page}.1)
    list(APPEND compressed ${ZYN_DIST_DIR}/${page}.1.gz)
    install(FILES ${ZYN_DIST_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
zyn_gzip(${PROJECT_SOURCE_DIR}/resources/changelog.in changelog)
list(APPEND compressed ${ZYN_DIST_DIR}/changelog.gz)
install(FILES ${ZYN_DIST_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/resources/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

add_custom_target(zyn_dist ALL DEPENDS ${icons} ${compressed} ${web_files})
