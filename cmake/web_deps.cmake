# The browser build's libraries, as scripts/web_deps.sh builds them with
# Emscripten into one prefix, under the imported targets the native build
# finds: the libraries' own CMake files link the same names either way.
#
# Sound is decoded by vorbisfile (PkgConfig::VORBISFILE) instead of libsndfile,
# which audio/ picks by EMSCRIPTEN. The browser has no fontconfig and needs no
# threads: Fontconfig::Fontconfig and Threads::Threads link nothing.

set(STOMPVALE_WEB_DEPS "${PROJECT_SOURCE_DIR}/build-web/deps" CACHE PATH
  "The prefix scripts/web_deps.sh builds the browser's libraries into")

foreach(library z freetype gif SDL2 vorbisfile vorbis ogg)
  if(NOT EXISTS "${STOMPVALE_WEB_DEPS}/lib/lib${library}.a")
    message(FATAL_ERROR "${STOMPVALE_WEB_DEPS}/lib/lib${library}.a is missing: "
      "run scripts/web_deps.sh first (or set STOMPVALE_WEB_DEPS)")
  endif()
endforeach()

# One static library of the prefix as an imported target, with its headers
# and what it needs after it on the link line.
function(stompvale_web_library target file)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "INCLUDES;NEEDS")
  if(TARGET ${target})
    return()
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set(includes "${STOMPVALE_WEB_DEPS}/include")
  foreach(folder IN LISTS arg_INCLUDES)
    list(APPEND includes "${STOMPVALE_WEB_DEPS}/include/${folder}")
  endforeach()
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION "${STOMPVALE_WEB_DEPS}/lib/${file}"
    INTERFACE_INCLUDE_DIRECTORIES "${includes}"
    INTERFACE_LINK_LIBRARIES "${arg_NEEDS}")
endfunction()

stompvale_web_library(ZLIB::ZLIB libz.a)
stompvale_web_library(Freetype::Freetype libfreetype.a INCLUDES freetype2 NEEDS ZLIB::ZLIB)
stompvale_web_library(GIF::GIF libgif.a)
stompvale_web_library(PkgConfig::SDL2 libSDL2.a INCLUDES SDL2)
stompvale_web_library(stompvale_web_ogg libogg.a)
stompvale_web_library(stompvale_web_vorbis libvorbis.a NEEDS stompvale_web_ogg)
stompvale_web_library(PkgConfig::VORBISFILE libvorbisfile.a NEEDS stompvale_web_vorbis)

# As FindGIF and FindZLIB leave them, for the files that use the variables.
set(GIF_FOUND TRUE)
set(GIF_LIBRARIES GIF::GIF)
set(GIF_INCLUDE_DIRS "${STOMPVALE_WEB_DEPS}/include")
set(ZLIB_FOUND TRUE)
set(ZLIB_LIBRARIES ZLIB::ZLIB)
set(ZLIB_INCLUDE_DIRS "${STOMPVALE_WEB_DEPS}/include")

foreach(nothing Threads::Threads Fontconfig::Fontconfig)
  if(NOT TARGET ${nothing})
    add_library(${nothing} INTERFACE IMPORTED GLOBAL)
  endif()
endforeach()
set(Threads_FOUND TRUE)
set(CMAKE_THREAD_LIBS_INIT "")
