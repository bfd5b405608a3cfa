# Installation under the usual prefix folders, and the Debian package.
#   bin/                         Lumora, lumora-cli
#   share/applications/          the desktop entry
#   share/icons/hicolor/         the application icon, SVG and PNG sizes
#   share/metainfo/              the AppStream description
#   share/lumora/                the help pages (the program looks there when
#                                they are not beside it, as in the build folder)
#   share/man/man1/              lumora-cli(1)
include(GNUInstallDirs)
set(LUMORA_APP_ID org.lumora.Lumora)
set(LUMORA_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/resources/desktop)

install(TARGETS Lumora lumora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${LUMORA_DESKTOP_DIR}/${LUMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metainfo's release carries the project's version.
configure_file(${LUMORA_DESKTOP_DIR}/${LUMORA_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${LUMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${LUMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${LUMORA_DESKTOP_DIR}/${LUMORA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${LUMORA_DESKTOP_DIR}/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${LUMORA_APP_ID}.png)
endforeach()
install(FILES ${LUMORA_HELP_PAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/lumora)

# The manual page carries the version from the project.
set(LUMORA_VERSION ${PROJECT_VERSION})
configure_file(${CMAKE_SOURCE_DIR}/resources/man/lumora-cli.1 ${CMAKE_BINARY_DIR}/man/lumora-cli.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/man/lumora-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumora)

# cpack -G DEB in the build folder makes lumora_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VENDOR "The Lumora developers")
set(CPACK_PACKAGE_CONTACT "The Lumora developers <lumora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tells whether the Sun can be seen through a window")
set(CPACK_PACKAGE_DESCRIPTION "Lumora tells whether the Sun can be seen through a window, now or at a
chosen moment, and when it next comes in or goes out. It follows real time
from the notification area, writes a year-long sunshine file for
spreadsheets, and opens a map with a see-through azimuth overlay.
lumora-cli gives the same computations to scripts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries found by shlibdeps (exiv2 among them), plus the plugins the
# program loads at run time rather than links: the desktop platform (xcb) and
# the photo formats beyond JPEG and PNG (WebP, TIFF).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
# Opening the help page and the map goes through the desktop's opener; the
# French Qt texts come from Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/debian/postinst
    ${CMAKE_SOURCE_DIR}/resources/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
