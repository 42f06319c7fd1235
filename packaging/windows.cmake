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
  COMMAND ${CALC_STRIP} -o ${staged}/calc-win32.exe $<TARGET_FILE:calc-win32>
  DEPENDS calc-win32 VERBATIM)
configure_file(${windows}/README.txt.in ${staged}/README.txt @ONLY NEWLINE_STYLE CRLF)

# calc_msi(<output> <version>): the MSI of this build's .exe, stating
# <version>; tests make a later version to try the upgrade.
function(calc_msi output version)
  if(NOT CALC_WIXL)
    message(FATAL_ERROR "wixl not found: run scripts/setup package")
  endif()
  # The MSI's texts are in code page 1252, which has no subscript two.
  string(REPLACE "₂" "2" summary "${CALC_SUMMARY}")
  add_custom_command(OUTPUT ${output}
    # wixl takes sources relative to the folder it runs in.
    COMMAND ${CMAKE_COMMAND} -E copy ${CALC_WIN32_ICO} ${CALC_WIN32_STAGE}/calc-win32.ico
    COMMAND ${CALC_WIXL} --arch x64 --output ${output}
            -D ProductName=${CALC_PRODUCT_NAME} -D Version=${version} -D Publisher=${CALC_PUBLISHER}
            -D UpgradeCode=${CALC_MSI_UPGRADE_CODE} -D Summary=${summary}
            -D Exe=calc-win32.exe -D Icon=calc-win32.ico ${windows}/orvalento.wxs
    WORKING_DIRECTORY ${CALC_WIN32_STAGE}
    DEPENDS ${windows}/orvalento.wxs ${CALC_WIN32_STAGE}/calc-win32.exe ${CALC_WIN32_ICO}
    COMMENT "Making ${output}" VERBATIM)
endfunction()
calc_msi(${CALC_MSI} ${PROJECT_VERSION})

# Unpacks into one folder named like the zip.
set(zip_dir ${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
add_custom_command(OUTPUT ${CALC_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staged}/zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}/zip/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E copy calc-win32.exe README.txt ${staged}/zip/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${staged}/zip ${CMAKE_COMMAND} -E tar cf ${CALC_ZIP} --format=zip ${zip_dir}
  WORKING_DIRECTORY ${staged}
  DEPENDS ${staged}/calc-win32.exe ${staged}/README.txt
  COMMENT "Making ${CALC_ZIP}" VERBATIM)
add_custom_target(windows-packages DEPENDS ${CALC_MSI} ${CALC_ZIP})
