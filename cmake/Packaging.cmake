# `cpack -G DEB` in the build directory makes bimzo_<version>_<arch>.deb.
# The licence travels in /usr/share/doc/bimzo/copyright (docs/).
set(CPACK_PACKAGE_NAME bimzo)
set(CPACK_PACKAGE_VENDOR "Bimzo Works")
set(CPACK_PACKAGE_CONTACT "${BIMZO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# dpkg shows these lines as they stand: keep them under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [=[
Five targets fall down five lanes, a little further at every tick of the
game clock. Click the shooter at the foot of a lane to knock its target
back to the top: the further it had fallen, the more the hit scores. The
clock speeds up through eleven levels as the hits add up.

A game ends when a target falls past the floor or when the 500 hits a game
allows are used up. The best three scores are kept, under the players'
names, in a high-score table in the player's data folder.

The interface is in Japanese.]=])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${BIMZO_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows ask for Japanese Gothic and Mincho faces by name; any package
# that provides one will do.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic | fonts-japanese-gothic, fonts-ipafont-mincho | fonts-japanese-mincho")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# The same sources give the same package: cmake/ReproducibleDeb.cmake repacks
# it with every time set to SOURCE_DATE_EPOCH, when the builder gives one at
# configure or at packing time, else to the release date in NEWS.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(CPACK_BIMZO_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  set(CPACK_BIMZO_SOURCE_DATE_EPOCH ${BIMZO_RELEASE_EPOCH})
endif()
find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
  set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ReproducibleDeb.cmake)
else()
  message(WARNING "dpkg-deb missing: cpack's .deb will not be reproducible")
endif()

include(CPack)
