# Installing like a desktop program: the executable in bin, its own files in
# share/brimo (where an installed executable looks for them), the desktop
# entry, the AppStream metadata and the icon in the hicolor theme. CPack turns
# the same into a .deb whose dependencies come from the shared libraries.
include(GNUInstallDirs)
# Packaging installs what is built; it does not build every test first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(BRIMO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(BRIMO_ICON_FOLDER ${CMAKE_BINARY_DIR}/hicolor)

add_executable(render_icon tools/render_icon/main.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(BRIMO_ICON_OUTPUTS)
foreach(size ${BRIMO_ICON_SIZES})
  list(APPEND BRIMO_ICON_OUTPUTS ${BRIMO_ICON_FOLDER}/${size}x${size}/apps/brimo.png)
endforeach()
add_custom_command(OUTPUT ${BRIMO_ICON_OUTPUTS}
  COMMAND render_icon ${CMAKE_SOURCE_DIR}/resources/icons/brimo.svg ${BRIMO_ICON_FOLDER} ${BRIMO_ICON_SIZES}
  DEPENDS render_icon ${CMAKE_SOURCE_DIR}/resources/icons/brimo.svg
  COMMENT "Rendering the application icon")
add_custom_target(brimo_icons ALL DEPENDS ${BRIMO_ICON_OUTPUTS})

install(TARGETS brimo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/Help ${CMAKE_SOURCE_DIR}/resources/smiles
  DESTINATION ${CMAKE_INSTALL_DATADIR}/brimo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/scripts/brimo.tcl DESTINATION ${CMAKE_INSTALL_DATADIR}/brimo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/sk.brimo.Brimo.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/sk.brimo.Brimo.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${BRIMO_ICON_FOLDER}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/brimo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME brimo)
set(CPACK_PACKAGE_VENDOR "Brimo")
set(CPACK_PACKAGE_CONTACT "Brimo <brimo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop IRC client")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by the library scan: the window system plugin that
# shows any window, Tcl (loaded when a script runs) and Qt's own Slovak texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libtcl8.6, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
