# cmake --install build --prefix P: the games and tools in P/bin, the data in
# P/share/stompvale (an installed game looks there when none is beside it),
# the desktop entry, the icons, the AppStream metadata and, where help2man is
# found, the manual pages.
#
# The games come in two components: `games` puts them in P/bin beside the
# tools (a plain install), `games_fhs` in P/games (the Debian package's
# /usr/games), installed only when asked for by name.
set(STOMPVALE_GAMES Stompvale_v1.6_1024x768 Stompvale_v1.6_FullScreen)
set(STOMPVALE_INSTALLED_TOOLS stompvale-art stompvale-monster-check stompvale-monster-gen
    stompvale-font-gen stompvale-sound stompvale-sound-gen stompvale-words)
set(STOMPVALE_APP_ID io.github.stompvale.stompvale)

install(TARGETS ${STOMPVALE_INSTALLED_TOOLS} RUNTIME DESTINATION bin COMPONENT stompvale)
install(DIRECTORY data/ DESTINATION share/stompvale COMPONENT stompvale)
install(DIRECTORY desktop/icons/ DESTINATION share/icons COMPONENT stompvale)
install(FILES desktop/${STOMPVALE_APP_ID}.metainfo.xml DESTINATION share/metainfo
        COMPONENT stompvale)

# The entry names the installed program by its full path: the prefix may not
# be on PATH. It is known only when installing.
foreach(place IN ITEMS bin games)
  if(place STREQUAL "bin")
    set(component games)
    set(only_by_name "")
  else()
    set(component games_fhs)
    set(only_by_name EXCLUDE_FROM_ALL)
  endif()
  install(TARGETS ${STOMPVALE_GAMES} RUNTIME DESTINATION ${place} COMPONENT ${component}
          ${only_by_name})
  install(CODE "
    set(STOMPVALE_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${place}\")
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/stompvale.desktop\")
    configure_file(\"${PROJECT_SOURCE_DIR}/desktop/stompvale.desktop.in\" \"\${entry}\" @ONLY)
    message(STATUS \"Installing: \${entry}\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")
  " COMPONENT ${component} ${only_by_name})
endforeach()

# The guides for players and monster makers, and the README's pictures.
install(FILES README.md DESTINATION share/doc/stompvale COMPONENT stompvale)
install(DIRECTORY docs/ DESTINATION share/doc/stompvale/docs COMPONENT stompvale)

include(${PROJECT_SOURCE_DIR}/man/man_pages.cmake)
