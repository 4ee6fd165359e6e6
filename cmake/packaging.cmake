# A Debian package of everything the build installs: the package module, the
# shared framework stand-in, the static libraries and headers, the CMake
# package files, the pkg-config file, the programs and the licence (MIT). `make package` runs
# CPack with it; install the result with `apt install ./quintar_*.deb`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quintar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quarbel")
set(CPACK_PACKAGE_CONTACT "Quintar developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "TQuintar, a five-in-a-row board control, as the Quintar4 package module\n"
  "with its framework stand-in, headers, static libraries, CMake and\n"
  "pkg-config files, the package inspector quintar-pkginfo, the terminal\n"
  "programs, the Qt widget with its Qt Designer plugin, and the desktop game\n"
  "quintar-desktop.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# Depends is worked out from the programs and libraries themselves
# (dpkg-shlibdeps); the stand-in they need ships in this same package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/vcl)
# The shared libraries' shlibs, so that a program packaged against them gets
# its dependency on this package worked out too; and the library cache
# refreshed by dpkg's trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/triggers)

include(CPack)
