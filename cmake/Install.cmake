# What `cmake --install` puts where: the program and the simulated site in
# bin/, the delivered files in share/tallywick/ (the per-user program folder is
# made from them on first start), the desktop entry, the icons, the AppStream
# metadata and the manual pages.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TALLYWICK_SCREENSHOT_URL
    "https://tallywick.org/source/raw/main/docs/screenshots"
    CACHE STRING "Address of the repository's docs/screenshots/ folder, for the AppStream metadata")

set(linux_assets ${PROJECT_SOURCE_DIR}/assets/linux)
set(app_id org.tallywick.Tallywick)

# Manual pages and the changelog go in compressed, without a time stamp.
function(tallywick_gzipped source target)
    add_custom_command(OUTPUT ${target}
        COMMAND sh -c "gzip -9n -c '${source}' > '${target}'"
        DEPENDS ${source} VERBATIM)
endfunction()
set(delivered ${CMAKE_BINARY_DIR}/delivered)
file(MAKE_DIRECTORY ${delivered})
set(gzipped)
foreach(page tallywick.1 tallywick-statsite.1)
    tallywick_gzipped(${PROJECT_SOURCE_DIR}/docs/man/${page} ${delivered}/${page}.gz)
    list(APPEND gzipped ${delivered}/${page}.gz)
endforeach()
tallywick_gzipped(${linux_assets}/changelog ${delivered}/changelog.gz)
list(APPEND gzipped ${delivered}/changelog.gz)

install(TARGETS tallywick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${delivered}/tallywick.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET statsite)
    install(PROGRAMS $<TARGET_FILE:statsite> DESTINATION ${CMAKE_INSTALL_BINDIR}
            RENAME tallywick-statsite)
    # Renamed on the way, so not a target install: stripped here when the
    # install strips (cmake --install --strip, CPack).
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tallywick-statsite\")
    endif()")
    install(FILES ${delivered}/tallywick-statsite.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${linux_assets}/copyright ${delivered}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tallywick)

# The delivered files come from the sources and a freshly made database, never
# from build/Tallywick/, which is a working program folder with a user's data.
set(delivered_db ${delivered}/tallywick110.mdb)
add_custom_command(OUTPUT ${delivered_db}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${delivered_db}
    COMMAND tallywick-makedb ${PROJECT_SOURCE_DIR}/src/db ${delivered_db}
    DEPENDS tallywick-makedb ${PROJECT_SOURCE_DIR}/src/db/schema.sql
            ${PROJECT_SOURCE_DIR}/src/db/reference/Medal.tsv
            ${PROJECT_SOURCE_DIR}/src/db/reference/Color.tsv
    COMMENT "Delivered database for installing")
add_custom_target(install_files ALL DEPENDS ${delivered_db} ${gzipped})

set(share_dir ${CMAKE_INSTALL_DATADIR}/tallywick)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/ DESTINATION ${share_dir}
        PATTERN CMakeLists.txt EXCLUDE PATTERN README.md EXCLUDE
        PATTERN tools EXCLUDE PATTERN linux EXCLUDE)
install(FILES ${delivered_db} DESTINATION ${share_dir})

install(FILES ${linux_assets}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${linux_assets}/${app_id}.metainfo.xml.in ${delivered}/${app_id}.metainfo.xml
               @ONLY)
install(FILES ${delivered}/${app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${linux_assets}/icons/${app_id}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${linux_assets}/icons/${size}/${app_id}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
