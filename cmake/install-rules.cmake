# Installs the core libraries and headers and exports them as the CMake package
# "Quintar", so another project can write find_package(Quintar CONFIG) and link
# Quintar::Quintar.
include(CMakePackageConfigHelpers)

set(QUINTAR_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quintar)
set(QUINTAR_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/quintar)

install(TARGETS quintar_vcl quintar_opponent quintar
  EXPORT QuintarTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${QUINTAR_INSTALL_INCLUDEDIR})

# Headers keep their folder so that "vcl/Controls.h" resolves from the
# installed include root just as from the source tree; the component's chief
# header sits at the top so that "Quintar.h" does too.
install(DIRECTORY vcl/ DESTINATION ${QUINTAR_INSTALL_INCLUDEDIR}/vcl FILES_MATCHING PATTERN "*.h")
install(DIRECTORY opponent/ DESTINATION ${QUINTAR_INSTALL_INCLUDEDIR}/opponent FILES_MATCHING PATTERN "*.h")
install(DIRECTORY component/ DESTINATION ${QUINTAR_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")

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
