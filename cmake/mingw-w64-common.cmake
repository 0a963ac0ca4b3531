# What the two mingw-w64 toolchain files share; each sets
# KINFOLD_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: the win32-threads runtime has no std::mutex or
# std::thread, which GoogleTest needs.
set(CMAKE_C_COMPILER ${KINFOLD_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KINFOLD_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KINFOLD_MINGW_TRIPLET}-windres)
set(KINFOLD_WIDL ${KINFOLD_MINGW_TRIPLET}-widl)

# Headers and libraries come from the cross root only; programs (Python, the
# code generators) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KINFOLD_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread are linked in, so that kinfold.dll and
# the test programs import nothing but system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# add_test() of a cross-built program runs it under Wine; the caller sets
# WINEPREFIX (scripts/test.sh makes a fresh one under the build folder).
find_program(KINFOLD_WINE wine NO_CMAKE_FIND_ROOT_PATH)
if(KINFOLD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KINFOLD_WINE})
endif()
