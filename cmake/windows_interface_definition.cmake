# Windows: widl turns kinfold.idl into the C++ interface header, the GUID
# definitions and the type library. There are no dispatch tables here: the
# objects' IDispatch is served by the type library, which kinfold.rc embeds.
enable_language(RC)

if(NOT KINFOLD_WIDL)
  set(KINFOLD_WIDL x86_64-w64-mingw32-widl)
endif()
# The type library's pointer size and Wine's stdole2.tlb follow the target.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KINFOLD_WIDL_TARGET --win32)
  set(KINFOLD_WINE_DLL_DIR i386-windows)
  set(KINFOLD_WINE_LIB_DIR i386-linux-gnu)
else()
  set(KINFOLD_WIDL_TARGET --win64)
  set(KINFOLD_WINE_DLL_DIR x86_64-windows)
  set(KINFOLD_WINE_LIB_DIR x86_64-linux-gnu)
endif()
find_program(KINFOLD_WIDL_EXECUTABLE NAMES ${KINFOLD_WIDL} widl NO_CMAKE_FIND_ROOT_PATH)
if(NOT KINFOLD_WIDL_EXECUTABLE)
  message(FATAL_ERROR "widl not found (Debian package mingw-w64-tools)")
endif()

# mingw-w64 on Debian ships the generated system headers but not the .idl
# files they come from; Wine's development package has them.
find_path(KINFOLD_SYSTEM_IDL_DIR oaidl.idl
  PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
        /usr/share/mingw-w64/include /usr/${KINFOLD_MINGW_TRIPLET}/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KINFOLD_SYSTEM_IDL_DIR)
  message(FATAL_ERROR "oaidl.idl not found (Debian package libwine-dev)")
endif()

# importlib("stdole2.tlb") is resolved against Wine's copy.
find_path(KINFOLD_STDOLE_DIR stdole2.tlb
  PATHS /usr/lib/${KINFOLD_WINE_LIB_DIR}/wine/${KINFOLD_WINE_DLL_DIR}
        /usr/lib/wine/${KINFOLD_WINE_DLL_DIR} /usr/lib64/wine/${KINFOLD_WINE_DLL_DIR}
        /usr/local/lib/wine/${KINFOLD_WINE_DLL_DIR}
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KINFOLD_STDOLE_DIR)
  message(FATAL_ERROR "stdole2.tlb not found (Debian package libwine, or libwine:i386 for 32 bits)")
endif()

set(KINFOLD_TYPELIB ${KINFOLD_GENERATED_DIR}/kinfold.tlb)
set(KINFOLD_GENERATED_SOURCES ${KINFOLD_GENERATED_DIR}/kinfold_i.c)
add_custom_command(
  OUTPUT ${KINFOLD_GENERATED_DIR}/kinfold.h ${KINFOLD_GENERATED_SOURCES} ${KINFOLD_TYPELIB}
  COMMAND ${KINFOLD_WIDL_EXECUTABLE} ${KINFOLD_WIDL_TARGET}
          -I ${KINFOLD_SYSTEM_IDL_DIR} -L ${KINFOLD_STDOLE_DIR}
          -h -H ${KINFOLD_GENERATED_DIR}/kinfold.h
          -u -U ${KINFOLD_GENERATED_DIR}/kinfold_i.c
          -t -T ${KINFOLD_TYPELIB}
          ${KINFOLD_IDL}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check_typelib.py
          ${KINFOLD_IDL} ${KINFOLD_TYPELIB}
  DEPENDS ${KINFOLD_IDL} ${PROJECT_SOURCE_DIR}/tools/check_typelib.py
  COMMENT "Generating interfaces and the type library from kinfold.idl")

# The E_NOTIMPL base classes are written against the interface declarations
# alone, so the native generator's copy serves here too. Its other outputs
# stay in their own folder: kinfold.h there is the native one.
set(KINFOLD_IDLGEN_DIR ${KINFOLD_GENERATED_DIR}/idlgen)
file(GLOB KINFOLD_IDLGEN_MODULES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/kinfold_idl/*.py)
add_custom_command(
  OUTPUT ${KINFOLD_GENERATED_DIR}/kinfold_unimplemented.h
  COMMAND ${Python3_EXECUTABLE} ${KINFOLD_IDLGEN} ${KINFOLD_IDL} ${KINFOLD_IDLGEN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          ${KINFOLD_IDLGEN_DIR}/kinfold_unimplemented.h ${KINFOLD_GENERATED_DIR}
  DEPENDS ${KINFOLD_IDL} ${KINFOLD_IDLGEN} ${KINFOLD_IDLGEN_MODULES}
  COMMENT "Generating the unimplemented-member base classes from kinfold.idl")

add_custom_target(kinfold_interfaces
  DEPENDS ${KINFOLD_GENERATED_DIR}/kinfold.h ${KINFOLD_TYPELIB}
          ${KINFOLD_GENERATED_DIR}/kinfold_unimplemented.h)
