# Installs both programs as a desktop application (freedesktop and Debian
# layout under CMAKE_INSTALL_PREFIX) and describes the Debian package that
# `cpack -G DEB` builds from the same install rules.
include(GNUInstallDirs)

set(VELMORA_APP_ID org.velmora.Velmora)
set(data ${PROJECT_SOURCE_DIR}/data)
set(generated ${PROJECT_BINARY_DIR}/data)

install(TARGETS velmora velmora-chart RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# velmora-chart's window module, where the program looks for it, and the
# pricing module.
install(TARGETS velmora-chart-window velmora-pricing LIBRARY DESTINATION ${VELMORA_MODULE_DIR})
# velmora and the window module load the pricing module by name.
file(RELATIVE_PATH modules_from_bin /${CMAKE_INSTALL_BINDIR} /${VELMORA_MODULE_DIR})
set_target_properties(velmora PROPERTIES INSTALL_RPATH "$ORIGIN/${modules_from_bin}")
set_target_properties(velmora-chart-window PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(velmora velmora-chart velmora-chart-window velmora-pricing
  PROPERTIES BUILD_WITH_INSTALL_RPATH ON)

install(FILES ${data}/${VELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${data}/${VELMORA_APP_ID}.metainfo.xml ${generated}/${VELMORA_APP_ID}.metainfo.xml
  @ONLY)
install(FILES ${generated}/${VELMORA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${data}/icons/${VELMORA_APP_ID}.svg DESTINATION ${icons}/scalable/apps)
foreach(size 48 256)
  install(FILES ${data}/icons/${VELMORA_APP_ID}-${size}.png
    DESTINATION ${icons}/${size}x${size}/apps RENAME ${VELMORA_APP_ID}.png)
endforeach()

# Manual pages, compressed as Debian keeps them: velmora-chart's is made
# from its own --help, so the options cannot drift from the page.
configure_file(${data}/man/velmora.1.in ${generated}/velmora.1 @ONLY)
set(man_pages ${generated}/velmora.1.gz)
add_custom_command(OUTPUT ${generated}/velmora.1.gz
  COMMAND gzip -9nf -k ${generated}/velmora.1
  DEPENDS ${generated}/velmora.1)
find_program(HELP2MAN help2man)
if(HELP2MAN)
  add_custom_command(OUTPUT ${generated}/velmora-chart.1.gz
    COMMAND ${HELP2MAN} --no-info --section=1 --include=${data}/man/velmora-chart.h2m
      --output=${generated}/velmora-chart.1 $<TARGET_FILE:velmora-chart>
    COMMAND gzip -9nf ${generated}/velmora-chart.1
    DEPENDS velmora-chart ${data}/man/velmora-chart.h2m)
  list(APPEND man_pages ${generated}/velmora-chart.1.gz)
else()
  message(WARNING "help2man not found: velmora-chart gets no manual page")
endif()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <packages@velmora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "profit and loss charts of call-option strategies")
set(CPACK_PACKAGE_DESCRIPTION
  "Charts the profit and loss at expiration of Covered Calls, Ratio Calls, Bull Spreads,\n"
  "Butterfly Spreads and Ratio Call Spreads, with a table of values for each leg, and\n"
  "keeps positions by name in an encrypted file. velmora-chart draws the same charts\n"
  "from scripts without a screen.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Depends worked out by dpkg-shlibdeps alone, from the shared libraries the
# programs and modules name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
