# Installs the core libraries and headers and exports them as the CMake package
# "Quintar", so another project can write find_package(Quintar CONFIG) and link
# Quintar::Quintar.
include(CMakePackageConfigHelpers)

set(QUINTAR_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quintar)
set(QUINTAR_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/quintar)

install(TARGETS quintar_vcl quintar_opponent quintar quintar_game
  EXPORT QuintarTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${QUINTAR_INSTALL_INCLUDEDIR})

# Headers install flat: every base name is unique in the tree, and each
# library names the headers of the layers below by their bare names, so that
# "Quintar.h" and everything it includes resolve from the one include folder.
foreach(header_dir vcl opponent opponent/expert component game)
  file(GLOB headers CONFIGURE_DEPENDS ${header_dir}/*.h)
  install(FILES ${headers} DESTINATION ${QUINTAR_INSTALL_INCLUDEDIR})
endforeach()

install(EXPORT QuintarTargets
  NAMESPACE Quintar::
  DESTINATION ${QUINTAR_INSTALL_CMAKEDIR})

write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/QuintarConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)

install(FILES
  cmake/QuintarConfig.cmake
  ${PROJECT_BINARY_DIR}/QuintarConfigVersion.cmake
  DESTINATION ${QUINTAR_INSTALL_CMAKEDIR})

# For builds without CMake. `pkg-config --cflags --libs quintar` builds the
# control into a program; `quintar4` is for hosts of the package module,
# which load it or link against it. Each file finds the prefix from where it
# lies, so the tree can be installed anywhere; `pkg-config --variable=module
# quintar4` names the module to load.
file(RELATIVE_PATH QUINTAR_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" QUINTAR_PC_PREFIX "${QUINTAR_PC_PREFIX}")
function(quintar_pkg_config file name description libs)
  set(QUINTAR_PC_NAME ${name})
  set(QUINTAR_PC_DESCRIPTION ${description})
  set(QUINTAR_PC_LIBS ${libs})
  configure_file(cmake/quintar.pc.in ${PROJECT_BINARY_DIR}/${file}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${file}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
quintar_pkg_config(quintar Quintar "${PROJECT_DESCRIPTION}" "-lquintar_game -lquintar -lquintar_opponent -lquintar_vcl")
quintar_pkg_config(quintar4 Quintar4 "Hosts of the Quintar4 package module"
  "-lQuintar4 -lquintar_package_loader -lquintar_vcl")

# The licence, as Debian keeps it for every package: the copyright file in the
# package's documentation folder, its text the LICENSE file's, each line
# indented and blank lines as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE QUINTAR_LICENSE_TEXT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(STRIP "${QUINTAR_LICENSE_TEXT}" QUINTAR_LICENSE_TEXT)
string(REGEX REPLACE "\n\n" "\n.\n" QUINTAR_LICENSE_TEXT "${QUINTAR_LICENSE_TEXT}")
string(REPLACE "\n" "\n " QUINTAR_LICENSE_TEXT " ${QUINTAR_LICENSE_TEXT}")
configure_file(cmake/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quintar)
