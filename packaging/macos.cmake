# calc-cocoa.app's Info.plist and icon. On macOS they make the bundle; the
# GNUstep build makes them too, in bundle/, to be checked and shipped.
set(bundle ${CMAKE_BINARY_DIR}/bundle)
set(CALC_BUNDLE_ICON calc-cocoa.icns)
if(CMAKE_OSX_DEPLOYMENT_TARGET)
  set(CALC_MACOS_MINIMUM ${CMAKE_OSX_DEPLOYMENT_TARGET})
else()
  set(CALC_MACOS_MINIMUM 26.0)
endif()
find_program(CALC_PNG2ICNS png2icns)
find_program(CALC_ICONUTIL iconutil)
set(icns ${bundle}/${CALC_BUNDLE_ICON})
if(CALC_RSVG_CONVERT AND CALC_PNG2ICNS)
  calc_icon_pngs(icns_pngs 16 32 48 128 256 512)
  add_custom_command(OUTPUT ${icns}
    COMMAND ${CALC_PNG2ICNS} ${icns} ${icns_pngs} DEPENDS ${icns_pngs} VERBATIM)
elseif(CALC_RSVG_CONVERT AND CALC_ICONUTIL)
  # macOS's own tool takes an .iconset folder of 1x and 2x images.
  set(iconset ${CMAKE_CURRENT_BINARY_DIR}/calc-cocoa.iconset)
  calc_icon_pngs(icns_pngs 16 32 64 128 256 512 1024)
  set(copies "")
  foreach(size 16 32 128 256 512)
    math(EXPR double "${size} * 2")
    list(APPEND copies
      COMMAND ${CMAKE_COMMAND} -E copy ${CALC_ICON_DIR}/${size}/logo.png ${iconset}/icon_${size}x${size}.png
      COMMAND ${CMAKE_COMMAND} -E copy ${CALC_ICON_DIR}/${double}/logo.png ${iconset}/icon_${size}x${size}@2x.png)
  endforeach()
  add_custom_command(OUTPUT ${icns}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${iconset} ${copies}
    COMMAND ${CALC_ICONUTIL} -c icns -o ${icns} ${iconset} DEPENDS ${icns_pngs} VERBATIM)
else()
  message(STATUS "Packaging: calc-cocoa.app's icon left out (rsvg-convert, or png2icns or iconutil, not found; scripts/setup package)")
  set(icns "")
  set(CALC_BUNDLE_ICON "")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/macos/Info.plist.in ${bundle}/Info.plist @ONLY)
add_custom_target(calc-cocoa-bundle-files ALL DEPENDS ${icns})

if(APPLE AND NOT CALC_COCOA_GNUSTEP)
  if(icns)
    add_dependencies(calc-cocoa calc-cocoa-bundle-files)
    target_sources(calc-cocoa PRIVATE ${icns})
    set_source_files_properties(${icns} TARGET_DIRECTORY calc-cocoa PROPERTIES
      GENERATED TRUE MACOSX_PACKAGE_LOCATION Resources)
  endif()
  set_target_properties(calc-cocoa PROPERTIES MACOSX_BUNDLE_INFO_PLIST ${bundle}/Info.plist)
endif()
