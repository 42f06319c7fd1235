# calc-win32 as an MSI (wixl, from orvalento.wxs) and a portable zip. Both
# carry the stripped .exe; its resources come from engine/win32.
set(windows ${CMAKE_CURRENT_LIST_DIR}/windows)
set(CALC_WIN32_STAGE ${CMAKE_BINARY_DIR}/packaging)
set(staged ${CALC_WIN32_STAGE})
set(CALC_MSI ${CMAKE_BINARY_DIR}/${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-win64.msi)
set(CALC_ZIP ${CMAKE_BINARY_DIR}/${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-win64.zip)
find_program(CALC_WIXL wixl)
find_program(CALC_STRIP NAMES ${CMAKE_CXX_COMPILER_TARGET}-strip x86_64-w64-mingw32-strip)

add_custom_command(OUTPUT ${staged}/calc-win32.exe
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}
  # Links carry no time stamp; strip would add one (SOURCE_DATE_EPOCH or now).
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CALC_STRIP} -o ${staged}/calc-win32.exe $<TARGET_FILE:calc-win32>
  DEPENDS calc-win32 VERBATIM)
configure_file(${windows}/README.txt.in ${staged}/README.txt @ONLY NEWLINE_STYLE CRLF)

# calc_msi(<output> <version>): the MSI of this build's .exe, stating
# <version>; tests make a later version to try the upgrade. Its product code
# is derived from the upgrade code and the version: a rebuild of one version
# is the same product (one entry in Programs and Features), every new
# version a new one that replaces it.
function(calc_msi output version)
  if(NOT CALC_WIXL)
    message(FATAL_ERROR "wixl not found: run scripts/setup package")
  endif()
  # The MSI's texts are in code page 1252, which has no subscript two.
  string(REPLACE "₂" "2" summary "${CALC_SUMMARY}")
  string(UUID product_code NAMESPACE ${CALC_MSI_UPGRADE_CODE} NAME "${CALC_PACKAGE_NAME}-${version}" TYPE SHA1 UPPER)
  add_custom_command(OUTPUT ${output}
    COMMAND ${windows}/make-msi ${output} ${windows}/orvalento.wxs ${CALC_WIN32_STAGE}/calc-win32.exe
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
  COMMAND sh -c "chmod 755 \"$1\" && chmod 644 \"$1\"/* && touch -d @\${SOURCE_DATE_EPOCH:-0} \"$1\" \"$1\"/*"
          - ${staged}/zip/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${staged}/zip ${CMAKE_COMMAND} -E env TZ=UTC
          zip -q -X ${CALC_ZIP} ${zip_dir}/ ${zip_dir}/README.txt ${zip_dir}/calc-win32.exe
  WORKING_DIRECTORY ${staged}
  DEPENDS ${staged}/calc-win32.exe ${staged}/README.txt
  COMMENT "Making ${CALC_ZIP}" VERBATIM)
add_custom_target(windows-packages DEPENDS ${CALC_MSI} ${CALC_ZIP})
