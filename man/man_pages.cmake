# The manual pages, made by help2man from what each installed program prints
# for --help and --version, so that they cannot drift from the programs. No
# pages without help2man (the play command does not install it); the package
# insists on them.
find_program(STOMPVALE_HELP2MAN help2man)
find_program(STOMPVALE_GZIP gzip)
if(NOT STOMPVALE_HELP2MAN OR NOT STOMPVALE_GZIP)
  message(STATUS "help2man or gzip not found: no manual pages")
  return()
endif()

# The line under NAME of each installed program's page; the games' pages are
# in section 6, the tools' in 1.
set(man_name_Stompvale_v1.6_1024x768
    "climb giant monsters and stab their white hit points, in a 1023 x 768 play area")
set(man_name_Stompvale_v1.6_FullScreen
    "climb giant monsters and stab their white hit points, on the whole screen")
set(man_name_stompvale-art "draw the game's screen images, scenery pictures and desktop icon")
set(man_name_stompvale-font-gen "draw the game's bitmap font")
set(man_name_stompvale-monster-check "check whether monster pictures can be beaten")
set(man_name_stompvale-monster-gen "paint the game's monsters")
set(man_name_stompvale-sound "play sound files through the game's sound library")
set(man_name_stompvale-sound-gen "synthesise the game's sounds")
set(man_name_stompvale-words "lay out words in the game's bitmap font")

set(man_folder ${CMAKE_BINARY_DIR}/man)
set(man_input ${PROJECT_SOURCE_DIR}/man/help_for_man.sh)
set(man_include ${PROJECT_SOURCE_DIR}/man/see_also.h2m)
set(man_outputs "")
foreach(program IN LISTS STOMPVALE_GAMES STOMPVALE_INSTALLED_TOOLS)
  set(name "${man_name_${program}}")
  if(NOT name)
    message(FATAL_ERROR "man/man_pages.cmake: no NAME line for the installed ${program}")
  endif()
  if(program IN_LIST STOMPVALE_GAMES)
    set(section 6)
  else()
    set(section 1)
  endif()
  set(page ${man_folder}/${program}.${section})
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_folder}
    COMMAND ${CMAKE_COMMAND} -E env STOMPVALE_MAN_PROGRAM=$<TARGET_FILE:${program}>
            ${STOMPVALE_HELP2MAN} --no-info --section=${section} --name=${name}
            --include=${man_include} --output=${page} ${man_input}
    COMMAND ${STOMPVALE_GZIP} -9nf -k ${page}
    DEPENDS ${program} ${man_input} ${man_include}
    COMMENT "Manual page ${program}(${section})" VERBATIM)
  list(APPEND man_outputs ${page} ${page}.gz)
  install(FILES ${page}.gz DESTINATION share/man/man${section} COMPONENT stompvale)
endforeach()

# `man stompvale` finds the windowed game, the one the desktop entry starts.
set(alias ${man_folder}/stompvale.6)
add_custom_command(OUTPUT ${alias}.gz
  COMMAND ${CMAKE_COMMAND} -E echo ".so man6/Stompvale_v1.6_1024x768.6" > ${alias}
  COMMAND ${STOMPVALE_GZIP} -9nf ${alias}
  COMMENT "Manual page stompvale(6)")
list(APPEND man_outputs ${alias}.gz)
install(FILES ${alias}.gz DESTINATION share/man/man6 COMPONENT stompvale)

add_custom_target(man_pages ALL DEPENDS ${man_outputs})
