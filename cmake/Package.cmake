# SPDX-License-Identifier: MIT
# cpack -G DEB (in the build folder): a Debian package of what cmake --install
# installs, zynmon_<version>_<arch>.deb, with its dependencies computed from
# the shared libraries the programs link against.
set(CPACK_PACKAGE_NAME zynmon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The ZYN Monitor Test developers")
set(CPACK_PACKAGE_CONTACT ${ZYN_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor test pictures, full screen and pixel for pixel")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zynmon)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZYN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(ZYN_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZYN_HOMEPAGE})
endif()
# The libraries come from dpkg-shlibdeps; the fonts the pictures draw their
# text with are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra, fonts-liberation2")
# The summary is the synopsis line; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "ZYN Monitor Test covers a monitor with one of thirteen test pictures, each
aimed at one property of a display: convergence, geometry, focus,
resolution, readability of small text, moire, colour gradients, pure
colours, brightness distribution, brightness and contrast, high-voltage
stability, and a composite test card.
.
A small control panel with German captions chooses the picture, the colour
guns and the resolution level; with the panel hidden, keys step through the
pictures. zynmon-render draws the same pictures into PNG files without a
display.")

# cpack repeats the warning of a build that is no release.
set(CPACK_ZYN_NOT_RELEASE_WARNING "${ZYN_NOT_RELEASE_WARNING}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageWarning.cmake)

include(CPack)
