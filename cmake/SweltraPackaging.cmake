# A Debian package of the installed layout: cpack -G DEB in a release build.
set(CPACK_PACKAGE_NAME "sweltra")
set(CPACK_PACKAGE_VENDOR "Rudev")
set(CPACK_PACKAGE_CONTACT "Rudev <sweltra@rudev.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hot-weather risk calculator for sporting events")
set(CPACK_PACKAGE_DESCRIPTION
    "Sweltra helps people who organise or supervise sport in hot weather: pick one entry in each of\n eleven risk factors and it adds the risk points and shows the recommendation for the total.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SWELTRA_SITE_RUDEV}")
# Libraries the program links come from dpkg-shlibdeps; what it loads at run time is named here:
# the X11 platform plugin and the free faces that stand in for the Windows fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, fonts-comic-neue")
include(CPack)
