# Cross build of kinfold.dll and the test suite for 32-bit Windows, the DLL
# that 32-bit hosts (most Office macros, older applications) load, with
# Debian's mingw-w64 (packages g++-mingw-w64-i686, mingw-w64-tools).
#   cmake -S . -B build/windows32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KINFOLD_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
