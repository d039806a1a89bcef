# What desktops and software centres see of the game: its menu entry, its icon in the hicolor
# theme, its AppStream description and screenshots taken by the headless driver.
set(TANDOLO_APP_ID io.github.tandolo.Tandolo)
set(DESKTOP_SOURCES ${PROJECT_SOURCE_DIR}/assets/desktop)
set(DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)

# The icon is the board's frog on a tile: one SVG, rendered at the sizes desktops look for.
set(ICON_SIZES 48 64 128 256)
set(ICON_SVG ${DESKTOP_DIR}/tandolo.svg)
set(ICON_PNGS)
set(ICON_TARGETS)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND ICON_PNGS ${DESKTOP_DIR}/tandolo-${size}.png)
  list(APPEND ICON_TARGETS ${size}:${DESKTOP_DIR}/tandolo-${size}.png)
endforeach()
# The icon takes in a pet's drawing, so a change to any pet makes it again.
file(GLOB PET_DRAWINGS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/gfx/cells/pets/*.svg)
add_custom_command(
  OUTPUT ${ICON_SVG} ${ICON_PNGS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DESKTOP_DIR}
  COMMAND artgen --icon ${DESKTOP_SOURCES}/icon.svg ${ICON_SVG} ${ICON_TARGETS}
  DEPENDS artgen ${DESKTOP_SOURCES}/icon.svg ${PET_DRAWINGS}
  COMMENT "Making the desktop icon"
  VERBATIM)

# Screenshots are taken again when the pictures, levels or scripts change, not at every
# change of the code: they show the game, they do not test it. For the same reason a sanitizer
# build's driver reports no leaks or races here, its tests do; the software renderer draws on
# the main thread, as LeakSanitizer's tracer needs.
set(SCREENSHOT_DIR ${DESKTOP_DIR}/screenshots)
set(SCREENSHOTS ${SCREENSHOT_DIR}/play.png ${SCREENSHOT_DIR}/world-choice.png)
add_custom_command(
  OUTPUT ${SCREENSHOTS}
  COMMAND ${CMAKE_COMMAND} -E env LP_NUM_THREADS=0 ASAN_OPTIONS=detect_leaks=0 TSAN_OPTIONS=report_bugs=0
          ${PROJECT_SOURCE_DIR}/cmake/desktop-screenshots.sh $<TARGET_FILE:tandolo-headless>
          ${PROJECT_SOURCE_DIR}/tools/shots ${SCREENSHOT_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/desktop-screenshots.sh ${PROJECT_SOURCE_DIR}/tools/shots/play-screen.txt
          ${PROJECT_SOURCE_DIR}/tools/shots/menus.txt ${CMAKE_BINARY_DIR}/data/gfx/.made
          ${CMAKE_BINARY_DIR}/levels/.made
  COMMENT "Taking the screenshots for software centres"
  VERBATIM)

configure_file(${DESKTOP_SOURCES}/${TANDOLO_APP_ID}.metainfo.xml.in ${DESKTOP_DIR}/${TANDOLO_APP_ID}.metainfo.xml
  @ONLY)
add_custom_target(desktopdata ALL DEPENDS ${ICON_SVG} ${ICON_PNGS} ${SCREENSHOTS})
add_dependencies(desktopdata gamedata)

install(FILES ${DESKTOP_SOURCES}/${TANDOLO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DESKTOP_DIR}/${TANDOLO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS ICON_SIZES)
  install(FILES ${DESKTOP_DIR}/tandolo-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tandolo.png)
endforeach()
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${SCREENSHOTS} DESTINATION ${CMAKE_INSTALL_DATADIR}/tandolo/screenshots)
