# Install rules and the Debian package: both programs, the recordings the dictation copies into
# the user's folder, the menu entry, icons, file type, AppStream data and manual pages.
include(GNUInstallDirs)

set(QUADRIGO_APP_ID example.quadrigo13.Quadrigo13)
set(QUADRIGO_DATA ${PROJECT_SOURCE_DIR}/data)

install(TARGETS quadrigo13 quadrigo13-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The program knows it runs installed by finding this folder beside its own prefix.
set(QUADRIGO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quadrigo13)
file(RELATIVE_PATH QUADRIGO_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/quadrigo13)
set_source_files_properties(src/platform/InstallLayout.cpp DIRECTORY src PROPERTIES
    COMPILE_DEFINITIONS QUADRIGO_DATA_FROM_BIN="${QUADRIGO_DATA_FROM_BIN}"
    SKIP_PRECOMPILE_HEADERS ON)
file(GLOB QUADRIGO_SOUNDS ${PROJECT_SOURCE_DIR}/src/app/sounds/*.wav)
install(FILES ${QUADRIGO_SOUNDS} DESTINATION ${QUADRIGO_INSTALL_DATADIR}/sounds)

install(FILES ${QUADRIGO_DATA}/${QUADRIGO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUADRIGO_DATA}/${QUADRIGO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUADRIGO_DATA}/quadrigo13-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quadrigo13.xml)
# The application's icon is the slip of the toolbar; the PNG sizes are made from it with
# rsvg-convert and committed, so the build needs no converter.
install(DIRECTORY ${QUADRIGO_DATA}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/src/app/icons/schedine.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME quadrigo13.svg)

# Manual pages made from each program's --help when the program is built.
find_program(GZIP gzip REQUIRED)
set(QUADRIGO_MAN_PAGES)
foreach(program IN ITEMS quadrigo13 quadrigo13-cli)
    if(program STREQUAL "quadrigo13")
        set(kind gui)
    else()
        set(kind cli)
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DKIND=${kind}
                -DTEMPLATE=${QUADRIGO_DATA}/man/${program}.1.in -DOUTPUT=${page}
                -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        COMMAND ${GZIP} -9nf ${page}
        DEPENDS ${program} ${QUADRIGO_DATA}/man/${program}.1.in
                ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        COMMENT "Manual page of ${program}"
        VERBATIM)
    list(APPEND QUADRIGO_MAN_PAGES ${page}.gz)
endforeach()
add_custom_target(manpages ALL DEPENDS ${QUADRIGO_MAN_PAGES})
install(FILES ${QUADRIGO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quadrigo13)
set(CPACK_PACKAGE_VENDOR "QUADRIGO 13")
set(CPACK_PACKAGE_CONTACT "QUADRIGO 13 <info@quadrigo13.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quadrigo13.example/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link are found by dpkg-shlibdeps; what they load at run time is
# named here: the SQLite driver, the SVG icon engine, Qt's Italian dialogs and the fonts the
# printouts use in place of Courier New, Arial and Times New Roman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6svg6, qt6-translations-l10n, fonts-liberation")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "conditioned systems for the Italian 13-match football pool")
# The summary above is the package's synopsis line; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "QUADRIGO 13 builds the integral system of a prediction (one, two or three
signs on each of the 13 matches), reduces it with conditions on sign counts,
runs, interruptions, symmetries, parallels and excluded sequences, merges
the columns into columns with doubles, prints them on the betting slips and
dictates them aloud; after the contest it checks them against the winning
column and keeps an archive of winning columns with statistics.
.
The interface is Italian. The package also holds quadrigo13-cli, which works
on saved systems from the command line.")
include(CPack)
