# cmake --install build --prefix P: the games and tools in P/bin, the data in
# P/share/stompvale (an installed game looks there when none is beside it),
# the desktop entry and the icons.
install(TARGETS Stompvale_v1.6_1024x768 Stompvale_v1.6_FullScreen stompvale-art
        stompvale-monster-check stompvale-monster-gen stompvale-font-gen stompvale-sound
        stompvale-sound-gen stompvale-words RUNTIME DESTINATION bin)
install(DIRECTORY data/ DESTINATION share/stompvale)
install(DIRECTORY desktop/icons/ DESTINATION share/icons)
# The entry names the installed program by its full path: the prefix may not
# be on PATH. It is known only when installing.
install(CODE "
  set(STOMPVALE_BINDIR \"\${CMAKE_INSTALL_PREFIX}/bin\")
  configure_file(\"${PROJECT_SOURCE_DIR}/desktop/stompvale.desktop.in\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/stompvale.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/stompvale.desktop\")
")
