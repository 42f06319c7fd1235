# calc-win32's icon, and calc-win32 as an MSI (wixl, from orvalento.wxs)
# and a portable zip. Both carry the stripped .exe; its manifest and version
# resource come with every build (engine/win32).
calc_packaging_tools(icon_tools "calc-win32.exe's icon, the MSI and the zip" rsvg-convert icotool)
if(NOT icon_tools)
  return()
endif()

# The icon as the .exe's first icon resource, from the logo at every size
# Explorer asks for (256 px stays PNG inside the .ico).
set(CALC_WIN32_ICO ${CALC_ICON_DIR}/calc-win32.ico)
calc_icon_pngs(ico_pngs 16 24 32 48 64 256)
list(POP_BACK ico_pngs png256)
add_custom_command(OUTPUT ${CALC_WIN32_ICO}
  COMMAND ${CALC_ICOTOOL} --create --output=${CALC_WIN32_ICO} ${ico_pngs} --raw=${png256}
  DEPENDS ${ico_pngs} ${png256} COMMENT "Making calc-win32.ico" VERBATIM)
set(icon_rc ${CMAKE_BINARY_DIR}/packaging/calc-win32-icon.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/calc-win32-icon.rc.in ${icon_rc} @ONLY)
target_sources(calc-win32 PRIVATE ${icon_rc})
# The .ico is made in this directory, the .exe in the engine's.
add_custom_target(calc-win32-icon DEPENDS ${CALC_WIN32_ICO})
add_dependencies(calc-win32 calc-win32-icon)
set_source_files_properties(${icon_rc} TARGET_DIRECTORY calc-win32 PROPERTIES OBJECT_DEPENDS ${CALC_WIN32_ICO})

calc_packaging_tools(msi_tools "the MSI and the zip" wixl)
if(NOT msi_tools)
  return()
endif()
set(windows ${CMAKE_CURRENT_LIST_DIR}/windows)
set(CALC_WIN32_STAGE ${CMAKE_BINARY_DIR}/packaging)
set(staged ${CALC_WIN32_STAGE})
set(CALC_MSI ${CMAKE_BINARY_DIR}/${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-win64.msi)
set(CALC_ZIP ${CMAKE_BINARY_DIR}/${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-win64.zip)
# The MSIs' and the zip's time, fixed when configuring: SOURCE_DATE_EPOCH
# (scripts/package sets the commit's), else the time of configuring. Every
# MSI of one tree then has the same time, so a rebuild of an unchanged .exe
# is the same file, package code and all.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(CALC_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  string(TIMESTAMP CALC_EPOCH "%s" UTC)
endif()
find_program(CALC_STRIP NAMES ${CMAKE_CXX_COMPILER_TARGET}-strip x86_64-w64-mingw32-strip)

add_custom_command(OUTPUT ${staged}/calc-win32.exe
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}
  # Links carry no time stamp; strip would add one (SOURCE_DATE_EPOCH or now).
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CALC_STRIP} -o ${staged}/calc-win32.exe $<TARGET_FILE:calc-win32>
  DEPENDS calc-win32 VERBATIM)
configure_file(${windows}/README.txt.in ${staged}/README.txt @ONLY NEWLINE_STYLE CRLF)

# calc_msi(<output> <version> [<epoch>]): the MSI of this build's .exe,
# stating <version>, made at <epoch> (default CALC_EPOCH); tests make a later
# version to try the upgrade. Its product code is derived from the upgrade
# code and the version: a rebuild of one version is the same product (one
# entry in Programs and Features), every new version a new one that replaces it.
function(calc_msi output version)
  set(epoch ${CALC_EPOCH})
  if(ARGC GREATER 2)
    set(epoch ${ARGV2})
  endif()
  # The MSI's texts are in code page 1252, which has no subscript two.
  string(REPLACE "₂" "2" summary "${CALC_SUMMARY}")
  string(UUID product_code NAMESPACE ${CALC_MSI_UPGRADE_CODE} NAME "${CALC_PACKAGE_NAME}-${version}" TYPE SHA1 UPPER)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${windows}/make-msi ${output} ${windows}/orvalento.wxs ${CALC_WIN32_STAGE}/calc-win32.exe
            ${CALC_WIN32_ICO} ${PROJECT_VERSION}.0
            -D ProductName=${CALC_PRODUCT_NAME} -D Version=${version} -D Publisher=${CALC_PUBLISHER}
            -D UpgradeCode=${CALC_MSI_UPGRADE_CODE} -D ProductCode=${product_code} -D Summary=${summary}
    DEPENDS ${windows}/orvalento.wxs ${windows}/make-msi ${CALC_WIN32_STAGE}/calc-win32.exe ${CALC_WIN32_ICO}
    COMMENT "Making ${output}" VERBATIM)
endfunction()
calc_msi(${CALC_MSI} ${PROJECT_VERSION})

# Unpacks into one folder named like the zip. Fixed times (DOS times are
# local: TZ=UTC), modes and order, no extra fields: the same bytes each time.
set(zip_dir ${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
add_custom_command(OUTPUT ${CALC_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staged}/zip ${CALC_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}/zip/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E copy calc-win32.exe README.txt ${staged}/zip/${zip_dir}
  COMMAND sh -c "chmod 755 \"$1\" && chmod 644 \"$1\"/* && touch -d @${CALC_EPOCH} \"$1\" \"$1\"/*"
          - ${staged}/zip/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${staged}/zip ${CMAKE_COMMAND} -E env TZ=UTC
          zip -q -X ${CALC_ZIP} ${zip_dir}/ ${zip_dir}/README.txt ${zip_dir}/calc-win32.exe
  WORKING_DIRECTORY ${staged}
  DEPENDS ${staged}/calc-win32.exe ${staged}/README.txt
  COMMENT "Making ${CALC_ZIP}" VERBATIM)
add_custom_target(windows-packages DEPENDS ${CALC_MSI} ${CALC_ZIP})
