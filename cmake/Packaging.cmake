# `cpack -G DEB` in the build directory makes bimzo_<version>_<arch>.deb.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME bimzo)
set(CPACK_PACKAGE_VENDOR "Bimzo Works")
set(CPACK_PACKAGE_CONTACT "Ryo Morikawa <ryo.morikawa@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Five targets fall down five lanes; click the shooter at the foot of a lane to knock its target back to the top. A hit scores more the further the target had fallen, and the best three scores are kept.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://bimzo.example.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows ask for Japanese Gothic and Mincho faces by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
