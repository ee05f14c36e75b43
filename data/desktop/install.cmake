# What `cmake --install` puts where a Debian desktop looks for it, and the
# Debian package made from the same rules by CPack.

include(GNUInstallDirs)

set(ZENDRA_APP_ID cz.tavlo.Zendra)
set(ZENDRA_HOMEPAGE "https://tavlo.cz/zendra/" CACHE STRING "Where the project publishes its page and screenshots")
set(ZENDRA_DESKTOP_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ZENDRA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

configure_file(${ZENDRA_DESKTOP_DIR}/${ZENDRA_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${ZENDRA_APP_ID}.metainfo.xml @ONLY)

# The icons come from the same generator as every other picture.
add_custom_command(OUTPUT ${ZENDRA_ICON_DIR}/hicolor/256x256/apps/${ZENDRA_APP_ID}.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:zendra-assetgen> --icons ${ZENDRA_ICON_DIR}
  DEPENDS zendra-assetgen
  COMMENT "Making the desktop icons"
  VERBATIM)
add_custom_target(zendra-icons ALL DEPENDS ${ZENDRA_ICON_DIR}/hicolor/256x256/apps/${ZENDRA_APP_ID}.png)

install(TARGETS zendra zendra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zendra-sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/zendra)
install(FILES ${ZENDRA_DESKTOP_DIR}/${ZENDRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${ZENDRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZENDRA_DESKTOP_DIR}/${ZENDRA_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${ZENDRA_APP_ID}.xml)
install(DIRECTORY ${ZENDRA_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${ZENDRA_DESKTOP_DIR}/zendra-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The user guide: copied beside the built program, where Zendra looks when it
# runs from the build folder, and installed where an installed Zendra looks
# (bin/../share/zendra/help).
file(GLOB_RECURSE ZENDRA_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/help/*)
set(ZENDRA_HELP_COPY ${CMAKE_BINARY_DIR}/help)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/help.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZENDRA_HELP_COPY}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs/help ${ZENDRA_HELP_COPY}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/help.stamp
  DEPENDS ${ZENDRA_HELP_FILES}
  COMMENT "Copying the user guide into the build folder"
  VERBATIM)
add_custom_target(zendra-help ALL DEPENDS ${CMAKE_BINARY_DIR}/help.stamp)
add_dependencies(zendra zendra-help)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zendra/help)

install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshots/main-wood2-gold.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zendra/screenshots RENAME main.png)

# The desktop tools check what we install; Debian's packages of them are set up by scripts/setup.sh.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry_valid COMMAND ${DESKTOP_FILE_VALIDATE} ${ZENDRA_DESKTOP_DIR}/${ZENDRA_APP_ID}.desktop)
endif()
if(APPSTREAMCLI)
  add_test(NAME desktop_metainfo_valid
           COMMAND ${APPSTREAMCLI} validate --no-net ${CMAKE_BINARY_DIR}/${ZENDRA_APP_ID}.metainfo.xml)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zendra)
set(CPACK_PACKAGE_VENDOR Tavlo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "consult the Book of Changes with three coins (Czech)")
set(CPACK_PACKAGE_DESCRIPTION "Zendra is a desktop program, in Czech, for consulting the Book of Changes.
You write your question, cast six lines with three coins, and Zendra finds
the hexagram and its developing hexagram and appends the reading to your
consultation, which you save as plain or password-protected text.")
set(CPACK_PACKAGE_CONTACT "Zendra developers <zendra@tavlo.cz>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windowing plugins are a separate package on Debian; without them nothing shows.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Sounds, the toolkit's Czech dialogs and a font the pictures were drawn with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZENDRA_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
include(CPack)
