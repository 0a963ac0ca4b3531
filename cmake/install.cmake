# The installed package: libraries, the headers a host compiles against, a
# CMake package, so that a user writes find_package(Kinfold), and a
# pkg-config file for other build systems.
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
  ${PROJECT_SOURCE_DIR}/src/platform/notifier.h
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

# kinfold.pc finds its prefix from its own place, so that the package may be
# installed under any prefix (cmake --install --prefix) and still be right.
file(RELATIVE_PATH KINFOLD_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
file(RELATIVE_PATH KINFOLD_PC_INCLUDEDIR /prefix /prefix/${KINFOLD_INSTALL_INCLUDEDIR})
file(RELATIVE_PATH KINFOLD_PC_LIBDIR /prefix /prefix/${CMAKE_INSTALL_LIBDIR})
file(WRITE ${PROJECT_BINARY_DIR}/kinfold.pc.in [=[
prefix=${pcfiledir}/@KINFOLD_PC_TO_PREFIX@
libdir=${prefix}/@KINFOLD_PC_LIBDIR@
includedir=${prefix}/@KINFOLD_PC_INCLUDEDIR@

Name: Kinfold
Description: GEDCOM 5.x files as a tree of automation objects
Version: @PROJECT_VERSION@
Libs: -L${libdir} -lkinfold
Libs.private: -pthread
Cflags: -I${includedir}
]=])
configure_file(${PROJECT_BINARY_DIR}/kinfold.pc.in ${PROJECT_BINARY_DIR}/kinfold.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kinfold.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
