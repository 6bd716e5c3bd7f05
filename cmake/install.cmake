# Installing Pebbledrome where a Linux desktop expects it, and its Debian
# package:  cmake --install <build>   and   cpack --config <build>/CPackConfig.cmake
# The desktop entry and the MIME type are the very files the game writes into
# the player's own data folders (a test keeps them equal), so an installed game
# and one registered with the L key tell the desktop the same thing.

include(GNUInstallDirs)

set(PEBBLE_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
set(PEBBLE_APP_ID example.varnex_soft.pebbledrome)
set(PEBBLE_ICON_SIZES 16 32 48 64 128 256)

if(TARGET pebbledrome)
  install(TARGETS pebbledrome RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
  set(share ${CMAKE_INSTALL_DATADIR})
  install(FILES ${PEBBLE_SOURCE_DIR}/packaging/pebbledrome.desktop DESTINATION ${share}/applications)
  install(FILES ${PEBBLE_SOURCE_DIR}/packaging/pebbledrome-game.xml DESTINATION ${share}/mime/packages)
  install(FILES ${PEBBLE_SOURCE_DIR}/packaging/${PEBBLE_APP_ID}.metainfo.xml DESTINATION ${share}/metainfo)
  foreach(size IN LISTS PEBBLE_ICON_SIZES)
    set(theme ${share}/icons/hicolor/${size}x${size})
    install(FILES ${PEBBLE_SOURCE_DIR}/resources/Mainicon-${size}.png
            DESTINATION ${theme}/apps RENAME pebbledrome.png)
    install(FILES ${PEBBLE_SOURCE_DIR}/resources/ZFILEICO1-${size}.png
            DESTINATION ${theme}/mimetypes RENAME application-x-pebbledrome-game.png)
  endforeach()

  # A direct install refreshes the desktop's databases itself; a package
  # (DESTDIR set) leaves that to the package manager's triggers.
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      set(data "${CMAKE_INSTALL_PREFIX}/share")
      find_program(update_mime update-mime-database)
      find_program(update_desktop update-desktop-database)
      find_program(update_icons gtk-update-icon-cache)
      if(update_mime)
        execute_process(COMMAND ${update_mime} "${data}/mime" OUTPUT_QUIET ERROR_QUIET)
      endif()
      if(update_desktop)
        execute_process(COMMAND ${update_desktop} "${data}/applications" OUTPUT_QUIET ERROR_QUIET)
      endif()
      if(update_icons)
        execute_process(COMMAND ${update_icons} -q -t -f "${data}/icons/hicolor" OUTPUT_QUIET ERROR_QUIET)
      endif()
    endif()
  ]])

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME pebbledrome)
  set(CPACK_PACKAGE_VENDOR "Varnex-Soft")
  set(CPACK_PACKAGE_CONTACT "Varnex-Soft <pebbledrome@varnex-soft.example>")
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: clear the field of coloured stones")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Click on a group of stones of the same colour to remove it; the stones
above fall down and empty columns close up. Leave as few stones as possible,
or score big with large groups. With bombs, rockets and rocks, a drop ramp
played against the clock, undo, saved games with a player history, high
scores per game variant, your own background pictures, and German, English
and French.")
  set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.varnex-soft.example/pebbledrome/en/")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries the game links decide its dependencies where dpkg-dev can
  # tell them; without it, the ones of Debian 12.
  # Qt's own translations speak the dialogs' German and French; the narrow
  # face keeps the status bar's messages whole.
  set(PEBBLE_RUNTIME_DEPENDS "qt6-translations-l10n, fonts-liberation")
  find_program(PEBBLE_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(PEBBLE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${PEBBLE_RUNTIME_DEPENDS}")
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6multimedia6 (>= 6.4), libjpeg62-turbo, ${PEBBLE_RUNTIME_DEPENDS}")
  endif()
  include(CPack)
endif()
