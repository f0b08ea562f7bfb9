# Desktop integration: the templates the per-user registration writes, what
# `cmake --install` puts under the prefix, and the Debian package made from it
# (scripts/package). An installed program finds its help and samples in
# <prefix>/share/purslet beside <prefix>/bin, so those two stay fixed.
set(PURSLET_APP_ID org.example.purslet)
set(desktop_src ${CMAKE_SOURCE_DIR}/resources/desktop)
set(desktop_out ${CMAKE_BINARY_DIR}/desktop)

# A program run from its build folder registers itself from the same
# desktop entry and MIME type that the package installs.
target_sources(purslet_core PRIVATE ${desktop_src}/desktop.qrc)
set_property(TARGET purslet_core PROPERTY AUTORCC ON)

configure_file(${desktop_src}/${PURSLET_APP_ID}.metainfo.xml.in ${desktop_out}/${PURSLET_APP_ID}.metainfo.xml @ONLY)
configure_file(${desktop_src}/purslet.1.in ${desktop_out}/purslet.1 @ONLY)
configure_file(${desktop_src}/changelog.in ${desktop_out}/changelog @ONLY)

# Manual pages and the changelog go compressed, without a time stamp.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(doc purslet.1 changelog)
  add_custom_command(OUTPUT ${desktop_out}/${doc}.gz
    COMMAND ${GZIP_PROGRAM} -9nkf ${desktop_out}/${doc}
    DEPENDS ${desktop_out}/${doc} VERBATIM)
  list(APPEND compressed_docs ${desktop_out}/${doc}.gz)
endforeach()
add_custom_target(purslet_docs ALL DEPENDS ${compressed_docs})

install(TARGETS purslet RUNTIME DESTINATION bin)
if(TARGET purslet_desktop)
  # Found by the program from its own folder, <prefix>/bin.
  install(TARGETS purslet_desktop purslet_drawing_module LIBRARY DESTINATION ${PURSLET_DESKTOP_MODULE_DIR})
endif()
install(FILES ${desktop_src}/${PURSLET_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${desktop_src}/purslet.xml DESTINATION share/mime/packages)
install(FILES ${desktop_out}/${PURSLET_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/${size}x${size}/purslet.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/purslet.svg DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION share/purslet/help)
install(FILES ${CMAKE_SOURCE_DIR}/samples/example.psl ${CMAKE_SOURCE_DIR}/samples/Income.ini
              ${CMAKE_SOURCE_DIR}/samples/Outgo.ini DESTINATION share/purslet/samples)
install(FILES ${desktop_out}/purslet.1.gz DESTINATION share/man/man1)
install(FILES ${desktop_src}/copyright ${desktop_out}/changelog.gz DESTINATION share/doc/purslet)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME purslet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal allowance book for the desktop")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Purslet Maintainers <maintainers@purslet.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://purslet.example.org/")
# CPack puts the summary above this text as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Purslet records dated incomes and outgoes, each under a matter with an
amount in whole yen and a memo. It keeps a cash book with a running
balance, sums income and outgo per matter against a planned amount, draws
charts with a short piece of advice, prints the three tables and keeps one
level of undo. Books are stored in files of their own, optionally with a
password, or as comma-separated text. The interface is Japanese.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Printing lays its tables out in IPAGothic; the rest only looks better.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-mincho, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
