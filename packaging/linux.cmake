# calc-gtk as a Debian package: the program, its desktop entry, icons,
# AppStream data and documentation, packed by CPack's DEB generator.
calc_packaging_tools(deb_tools "the .deb" rsvg-convert dpkg)
if(NOT deb_tools)
  return()
endif()
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(linux ${CMAKE_CURRENT_LIST_DIR}/linux)
set(staged ${CMAKE_BINARY_DIR}/packaging)
set(share ${CMAKE_INSTALL_DATADIR})
set(doc ${share}/doc/${CALC_PACKAGE_NAME})

execute_process(COMMAND date -u -R -d "${CALC_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE CALC_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${linux}/app.desktop.in ${staged}/${CALC_APP_ID}.desktop @ONLY)
configure_file(${linux}/metainfo.xml.in ${staged}/${CALC_APP_ID}.metainfo.xml @ONLY)
configure_file(${linux}/copyright.in ${staged}/copyright @ONLY)
configure_file(${linux}/changelog.in ${staged}/changelog @ONLY)
configure_file(${linux}/calc-gtk.1.in ${staged}/calc-gtk.1 @ONLY)

# Debian wants these compressed, reproducibly (no name, no time).
foreach(file changelog calc-gtk.1)
  add_custom_command(OUTPUT ${staged}/${file}.gz
    COMMAND gzip -9 -n -c ${staged}/${file} > ${staged}/${file}.gz
    DEPENDS ${staged}/${file} VERBATIM)
endforeach()

set(icon_sizes 16 24 32 48 64 128 256 512)
calc_icon_pngs(icon_pngs ${icon_sizes})
add_custom_target(calc_linux_package_files ALL DEPENDS ${icon_pngs} ${staged}/changelog.gz ${staged}/calc-gtk.1.gz)

install(TARGETS calc-gtk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${staged}/${CALC_APP_ID}.desktop DESTINATION ${share}/applications)
install(FILES ${staged}/${CALC_APP_ID}.metainfo.xml DESTINATION ${share}/metainfo)
install(FILES ${CALC_LOGO_SOURCE} DESTINATION ${share}/icons/hicolor/scalable/apps RENAME ${CALC_APP_ID}.svg)
foreach(size IN LISTS icon_sizes)
  install(FILES ${CALC_ICON_DIR}/${size}/logo.png
          DESTINATION ${share}/icons/hicolor/${size}x${size}/apps RENAME ${CALC_APP_ID}.png)
endforeach()
install(FILES ${staged}/calc-gtk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${staged}/copyright ${staged}/changelog.gz DESTINATION ${doc})

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CALC_DEB_ARCH
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# What CPack makes into <build>/deb, for the checks.
set(CALC_DEB ${CMAKE_BINARY_DIR}/deb/${CALC_PACKAGE_NAME}_${PROJECT_VERSION}_${CALC_DEB_ARCH}.deb)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${CALC_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR ${CALC_PUBLISHER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${CALC_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CALC_PUBLISHER} <${CALC_MAINTAINER_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CALC_SUMMARY}
${CALC_PRODUCT_NAME} (calc-gtk) works out the environmental compensation of
a CO₂ emission: the total emission, the monthly percentage to compensate and
a land-lease cost give a numbered, timestamped report with the monthly and
the annual figure, for young or adult trees. Portuguese and English
interface; it reads no file, stores nothing and never goes on the network.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not seen by any linker: GdkPixbuf loads its SVG loader at run time (without
# it the logo silently disappears); the window asks for these fonts by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "librsvg2-common")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-noto-color-emoji")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
