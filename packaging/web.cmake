# calc-web as a zip a user unpacks and opens in a browser: the page's own
# files and a README.txt, in one folder named like the zip. Fixed times
# (DOS times are local: TZ=UTC), modes and order, no extra fields: the same
# bytes each time.
calc_packaging_tools(zip_tools "the web zip" zip)
if(NOT zip_tools)
  return()
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  string(TIMESTAMP epoch "%s" UTC)
endif()
# What engine/web writes beside calc-web.js: the page and its style sheet.
set(page_files calc-web.html calc-web.css calc-web.js)
set(stage ${CMAKE_BINARY_DIR}/packaging/zip)
set(zip_dir ${CALC_PACKAGE_NAME}-${PROJECT_VERSION}-web)
set(CALC_WEB_ZIP ${CMAKE_BINARY_DIR}/${zip_dir}.zip)
configure_file(${CMAKE_CURRENT_LIST_DIR}/web/README.txt.in ${CMAKE_BINARY_DIR}/packaging/README.txt @ONLY)
list(TRANSFORM page_files PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE page_paths)
list(TRANSFORM page_files PREPEND ${zip_dir}/ OUTPUT_VARIABLE entries)
add_custom_command(OUTPUT ${CALC_WEB_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${CALC_WEB_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${page_paths} ${CMAKE_BINARY_DIR}/packaging/README.txt ${stage}/${zip_dir}
  COMMAND sh -c "chmod 755 \"$1\" && chmod 644 \"$1\"/* && touch -d @${epoch} \"$1\" \"$1\"/*" - ${stage}/${zip_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${CMAKE_COMMAND} -E env TZ=UTC
          zip -q -X ${CALC_WEB_ZIP} ${zip_dir}/ ${zip_dir}/README.txt ${entries}
  DEPENDS calc-web ${CMAKE_BINARY_DIR}/packaging/README.txt
  COMMENT "Making ${CALC_WEB_ZIP}" VERBATIM)
add_custom_target(web-package ALL DEPENDS ${CALC_WEB_ZIP})
