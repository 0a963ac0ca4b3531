# Cross build of kinfold.dll and the test suite for 64-bit Windows with
# Debian's mingw-w64 (packages g++-mingw-w64-x86-64, mingw-w64-tools).
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KINFOLD_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
