# Installing KVIRO 13 like any desktop program (GNUInstallDirs): the program, its menu entry, its
# icon in the hicolor theme, AppStream metadata and a manual page; and the Debian package that
# CPack builds from them (`cpack -G DEB` in a build folder, or `cmake --workflow --preset package`).
include(GNUInstallDirs)

# One application id names the desktop entry, the icon and the metadata. We hold no domain, so
# its root is the top-level domain "invalid", which RFC 6761 reserves: it can never be anybody's.
set(KVIRO_APP_ID "invalid.kviro.kviro13")
set(KVIRO_RELEASE_DATE "2026-12-10")
set(KVIRO_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 06:00:00 +0000")
set(KVIRO_MAINTAINER "KVIRO 13 developers <kviro13@kviro13.invalid>")
set(KVIRO_SCREENSHOT_URL "https://kviro13.invalid/screenshots" CACHE STRING
    "Web folder that holds the pictures of docs/screenshots, named in the AppStream metadata")

set(_pkg ${CMAKE_CURRENT_LIST_DIR})
set(_out ${CMAKE_CURRENT_BINARY_DIR}/packaging)
target_compile_definitions(kviro13 PRIVATE KVIRO_APP_ID="${KVIRO_APP_ID}")
install(TARGETS kviro13 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A read-only global offset table after start-up, as Debian's hardening asks.
target_link_options(kviro13 PRIVATE LINKER:-z,relro LINKER:-z,now)

# The icon: drawn once as SVG, rendered to the usual sizes at build time. The rendered sizes also
# go into the program as a resource, for the title bars and the task switcher.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(_svg ${_pkg}/${KVIRO_APP_ID}.svg)
set(_pngs)
foreach(size 16 22 24 32 48 64 128 256)
  set(_png ${_out}/icons/${size}.png)
  add_custom_command(OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_out}/icons
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${_png} ${_svg}
    DEPENDS ${_svg} VERBATIM)
  list(APPEND _pngs ${_png})
  install(FILES ${_png} RENAME ${KVIRO_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
qt_add_resources(kviro13 kviro13_icon PREFIX /icon BASE ${_out}/icons FILES ${_pngs})
install(FILES ${_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

install(FILES ${_pkg}/${KVIRO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${_pkg}/${KVIRO_APP_ID}.metainfo.xml.in ${_out}/${KVIRO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_out}/${KVIRO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual page and Debian changelog, compressed the way Debian wants them (gzip -9n: no name, no
# time stamp, so the package is the same on every build).
configure_file(${_pkg}/changelog.in ${_out}/changelog @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${_out}/kviro13.1.gz
  COMMAND ${GZIP} -9nc ${_pkg}/kviro13.1 > ${_out}/kviro13.1.gz
  DEPENDS ${_pkg}/kviro13.1 VERBATIM)
add_custom_command(OUTPUT ${_out}/changelog.gz
  COMMAND ${GZIP} -9nc ${_out}/changelog > ${_out}/changelog.gz
  DEPENDS ${_out}/changelog VERBATIM)
add_custom_target(kviro13_package_files ALL DEPENDS ${_out}/kviro13.1.gz ${_out}/changelog.gz)
install(FILES ${_out}/kviro13.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian looks for them under the package's name, not the project's (CMAKE_INSTALL_DOCDIR).
install(FILES ${_out}/changelog.gz ${_pkg}/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kviro13)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kviro13)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KVIRO 13 developers")
set(CPACK_PACKAGE_CONTACT ${KVIRO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reduced betting systems for a 13-match football pool")
# Lines of the long description stay under 80 characters (CPack does not wrap them).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "KVIRO 13 generates all 1,594,323 combinations of a 13-match football pool,"
  "values each one under the user's percentages for every match, narrows the"
  "table by limits, combing and NP marks, and covers the resulting network with"
  "paid-in combinations by hand or automatically. Tables are saved, printed and"
  "checked against the drawn result. The interface is in Croatian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for Arial's metrics; Liberation Sans is the font that has them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
