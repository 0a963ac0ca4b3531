# The installed package: libraries, the headers a host compiles against and
# a CMake package, so that a user writes find_package(Kinfold).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KINFOLD_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/kinfold)
foreach(target kinfold kinfold_static)
  target_include_directories(${target} INTERFACE
    $<INSTALL_INTERFACE:${KINFOLD_INSTALL_INCLUDEDIR}>)
endforeach()

install(TARGETS kinfold kinfold_static EXPORT KinfoldTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KINFOLD_GENERATED_DIR}/kinfold.h DESTINATION ${KINFOLD_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/src/server/entry_points.h
  DESTINATION ${KINFOLD_INSTALL_INCLUDEDIR}/server)
install(FILES ${PROJECT_SOURCE_DIR}/src/platform/automation.h ${PROJECT_SOURCE_DIR}/src/platform/text.h
  DESTINATION ${KINFOLD_INSTALL_INCLUDEDIR}/platform)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/platform/posix/
  DESTINATION ${KINFOLD_INSTALL_INCLUDEDIR}/platform/posix FILES_MATCHING PATTERN "*.h"
  PATTERN "*_internal.h" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/include/kinfold.idl DESTINATION ${KINFOLD_INSTALL_INCLUDEDIR})

install(EXPORT KinfoldTargets NAMESPACE Kinfold:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Kinfold)
file(WRITE ${PROJECT_BINARY_DIR}/KinfoldConfig.cmake.in [=[
@PACKAGE_INIT@
include(CMakeFindDependencyMacro)
find_dependency(Threads)
include("${CMAKE_CURRENT_LIST_DIR}/KinfoldTargets.cmake")
]=])
configure_package_config_file(${PROJECT_BINARY_DIR}/KinfoldConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KinfoldConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Kinfold)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KinfoldConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KinfoldConfig.cmake ${PROJECT_BINARY_DIR}/KinfoldConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Kinfold)
