# Windows: kinfold.dll, the in-process COM server, with the type library
# embedded as TYPELIB resource 1 and only the four entry points exported.
set(KINFOLD_WIN32_DIR ${PROJECT_SOURCE_DIR}/src/platform/win32)
set(KINFOLD_SYSTEM_LIBRARIES ole32 oleaut32 uuid user32 gdi32 comctl32 advapi32)

# The resources go to the DLL and to every program that links the static
# library: objects look for the type library in the module holding their code.
add_library(kinfold_resources OBJECT ${KINFOLD_WIN32_DIR}/kinfold.rc)
target_include_directories(kinfold_resources PRIVATE ${KINFOLD_GENERATED_DIR})
target_compile_definitions(kinfold_resources PRIVATE
  KINFOLD_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  KINFOLD_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  KINFOLD_VERSION_PATCH=${PROJECT_VERSION_PATCH})
set_source_files_properties(${KINFOLD_WIN32_DIR}/kinfold.rc PROPERTIES
  OBJECT_DEPENDS ${KINFOLD_TYPELIB})
add_dependencies(kinfold_resources kinfold_interfaces)

target_sources(kinfold_static INTERFACE $<TARGET_OBJECTS:kinfold_resources>)
target_link_libraries(kinfold_static PUBLIC ${KINFOLD_SYSTEM_LIBRARIES})

add_library(kinfold SHARED
  $<TARGET_OBJECTS:kinfold_objects>
  $<TARGET_OBJECTS:kinfold_resources>
  ${KINFOLD_WIN32_DIR}/kinfold.def)
set_target_properties(kinfold PROPERTIES PREFIX "" IMPORT_PREFIX "")
target_include_directories(kinfold PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
  $<BUILD_INTERFACE:${KINFOLD_GENERATED_DIR}>)
target_link_libraries(kinfold PRIVATE ${KINFOLD_SYSTEM_LIBRARIES})
