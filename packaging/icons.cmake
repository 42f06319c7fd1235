# Every icon is made at build time from app/logo.svg, the only source:
# PNGs with rsvg-convert, then .ico (icotool) and .icns (png2icns) from them.
set(CALC_LOGO_SOURCE ${PROJECT_SOURCE_DIR}/app/logo.svg)
set(CALC_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
find_program(CALC_RSVG_CONVERT rsvg-convert)

# calc_icon_pngs(<out-var> <size>...): the logo as <size>x<size> PNGs. Only
# called where CALC_RSVG_CONVERT was found.
function(calc_icon_pngs out)
  set(files "")
  foreach(size IN LISTS ARGN)
    set(png ${CALC_ICON_DIR}/${size}/logo.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CALC_ICON_DIR}/${size}
      COMMAND ${CALC_RSVG_CONVERT} --width=${size} --height=${size} --keep-aspect-ratio
              --output=${png} ${CALC_LOGO_SOURCE}
      DEPENDS ${CALC_LOGO_SOURCE}
      COMMENT "Rendering the logo at ${size} px" VERBATIM)
    list(APPEND files ${png})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
