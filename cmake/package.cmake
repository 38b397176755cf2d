# The Debian package, made by `cpack -G DEB` in a build folder (see
# scripts/package.sh): the install rules with prefix /usr, the games in
# /usr/games, and Depends worked out by dpkg-shlibdeps from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stompvale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Stompvale developers")
set(STOMPVALE_MAINTAINER "The Stompvale developers <stompvale@users.noreply.github.com>"
    CACHE STRING "The Debian package's Maintainer field")
set(CPACK_PACKAGE_CONTACT "${STOMPVALE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "action game: climb giant monsters and stab their hit points")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A small 2D action game. You are a man one pixel tall with a sword; the
monsters are giants. Grab a monster's fur, climb over its body while it
walks, jumps, heaves or flies, and stab the white hit points in its picture
with charged strikes. Monsters are GIF pictures: add your own, and check
them with stompvale-monster-check.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/stompvale/stompvale)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not a library the binaries link: the text is drawn in "Arial", which
# fontconfig resolves to Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_STRIP_FILES ON)

# One package of the shared files and the games in /usr/games (not in
# /usr/bin, where a plain install puts them).
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL stompvale games_fhs)

# Everything the package holds, built by `cmake --build B --target package_files`.
add_custom_target(package_files)
add_dependencies(package_files ${STOMPVALE_GAMES} ${STOMPVALE_INSTALLED_TOOLS} game_data)
if(TARGET man_pages)
  add_dependencies(package_files man_pages)
endif()

# cpack's preinstall step (and `make install`) builds nothing: it would build
# every target, the benchmarks and tests too. package_files is built before.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
