# What `cmake --install` puts where (GNU layout), the uninstall target, and
# the Debian package that `make package` builds from the same rules.
include(GNUInstallDirs)

set(WAVEMARK_APP_ID org.wavemark.Wavemark)

install(TARGETS wavemark wavemark-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${WAVEMARK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${WAVEMARK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES src/ui/resources/wavemark.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${WAVEMARK_APP_ID}.svg)

# Debian wants manual pages and the changelog compressed, and the copyright
# notice beside the changelog; a source install gets the same files.
find_program(GZIP gzip REQUIRED)
set(doc_files)
foreach(source man/wavemark.1 man/wavemark-convert.1 data/changelog)
    get_filename_component(name ${source} NAME)
    if(name STREQUAL "changelog")
        set(name changelog.Debian)
    endif()
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed
        COMMAND ${GZIP} -9nc ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${compressed}
        DEPENDS ${source} VERBATIM)
    list(APPEND doc_files ${compressed})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${doc_files})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/compressed/wavemark.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/compressed/wavemark-convert.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/copyright ${CMAKE_CURRENT_BINARY_DIR}/compressed/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wavemark)

# Removes exactly what the last install wrote, as install_manifest.txt lists it.
add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/Uninstall.cmake
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} VERBATIM)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wavemark)
set(CPACK_PACKAGE_VENDOR "The Wavemark developers")
set(CPACK_PACKAGE_CONTACT "The Wavemark developers <${WAVEMARK_CONTACT_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Wi-Fi survey to GPS TrackMaker, GPX, KML and GeoJSON converter")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Wavemark reads a Wi-Fi survey (NetStumbler's summary and text exports and
NS1 logs, WiGLE CSV files, Kismet logs) and writes one map, a GPS TrackMaker
(GTM), GPX, KML or GeoJSON file: a waypoint for every access point and a track
through its readings, with protected and open networks told apart by symbol,
label style, colour and line style.

The package holds the desktop program, wavemark, and the command-line
converter, wavemark-convert, which share one conversion engine.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://wavemark.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
