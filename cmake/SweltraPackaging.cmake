# A Debian package of the installed layout: cpack -G DEB in a release build.
include(GNUInstallDirs)

# What Debian asks every package to carry beside the program: the licence as a machine-readable
# copyright file, a compressed changelog and a manual page for the command in bin/.
if(UNIX AND NOT APPLE)
  set(sweltra_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
  set(sweltra_doc_out ${CMAKE_BINARY_DIR}/package-doc)
  file(MAKE_DIRECTORY ${sweltra_doc_out})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

  # The licence's grant, below its title and copyright line, as a copyright-format paragraph:
  # each line indented by one blank, an empty line written as " .".
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE sweltra_license)
  string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n+" "" sweltra_grant "${sweltra_license}")
  string(STRIP "${sweltra_grant}" sweltra_grant)
  string(REPLACE "\n\n" "\n.\n" sweltra_grant "${sweltra_grant}")
  string(REPLACE "\n" "\n " sweltra_grant "${sweltra_grant}")
  file(WRITE ${sweltra_doc_out}/copyright
       "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
       "Upstream-Name: Sweltra\n"
       "Upstream-Contact: Rudev <sweltra@rudev.example>\n"
       "Source: ${SWELTRA_SITE_RUDEV}\n\n"
       "Files: *\n"
       "Copyright: 2026 Rudev\n"
       "License: Expat\n\n"
       "License: Expat\n"
       " ${sweltra_grant}\n")

  # The changelog's newest entry and the manual page take the version from the project. gzip -n
  # leaves out the name and time stamp, so the same sources give the same package.
  foreach(source changelog SweltraC.1)
    configure_file(${sweltra_packaging_dir}/${source}.in ${sweltra_doc_out}/${source} @ONLY)
    execute_process(COMMAND gzip -9nc INPUT_FILE ${sweltra_doc_out}/${source}
                    OUTPUT_FILE ${sweltra_doc_out}/${source}.gz COMMAND_ERROR_IS_FATAL ANY)
  endforeach()

  install(FILES ${sweltra_doc_out}/copyright ${sweltra_doc_out}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sweltra)
  install(FILES ${sweltra_doc_out}/SweltraC.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME "sweltra")
set(CPACK_PACKAGE_VENDOR "Rudev")
set(CPACK_PACKAGE_CONTACT "Rudev <sweltra@rudev.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hot-weather risk calculator for sporting events")
# Debian's control file allows 80 columns per description line.
set(CPACK_PACKAGE_DESCRIPTION "Sweltra helps people who organise or supervise sport in hot weather: pick\n\
one entry in each of eleven risk factors and it adds the risk points and\n\
shows the recommendation for the total. The advice is kept in RTF documents\n\
beside the program, which an organisation may replace with its own.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SWELTRA_SITE_RUDEV}")
# Libraries the program links come from dpkg-shlibdeps (dpkg-dev); what it loads at run time is
# named here: the X11 platform plugin and the free faces that stand in for the Windows fonts.
# Printing needs nothing more: libqt6printsupport6, which shlibdeps finds, carries the CUPS
# print plugin and depends on libcups2 itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, fonts-comic-neue")
include(CPack)
