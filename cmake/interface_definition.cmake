# Everything that names an interface, a member, a DISPID or a GUID is
# generated from include/kinfold.idl; nothing restates it by hand.
set(KINFOLD_IDL ${PROJECT_SOURCE_DIR}/include/kinfold.idl)
set(KINFOLD_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${KINFOLD_GENERATED_DIR})

set(KINFOLD_IDLGEN ${PROJECT_SOURCE_DIR}/tools/idlgen.py)
file(GLOB KINFOLD_IDLGEN_MODULES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/kinfold_idl/*.py)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_interface_definition.cmake)
else()
  # Native: our generator writes the C++ interface header, the GUID
  # definitions and the per-interface dispatch tables.
  set(KINFOLD_GENERATED_SOURCES
      ${KINFOLD_GENERATED_DIR}/kinfold_i.cpp
      ${KINFOLD_GENERATED_DIR}/kinfold_dispatch.cpp)
  add_custom_command(
    OUTPUT ${KINFOLD_GENERATED_DIR}/kinfold.h ${KINFOLD_GENERATED_DIR}/kinfold_unimplemented.h
           ${KINFOLD_GENERATED_SOURCES}
    COMMAND ${Python3_EXECUTABLE} ${KINFOLD_IDLGEN} ${KINFOLD_IDL} ${KINFOLD_GENERATED_DIR}
    DEPENDS ${KINFOLD_IDL} ${KINFOLD_IDLGEN} ${KINFOLD_IDLGEN_MODULES}
    COMMENT "Generating interfaces and dispatch tables from kinfold.idl")
  add_custom_target(kinfold_interfaces DEPENDS ${KINFOLD_GENERATED_DIR}/kinfold.h)
endif()
