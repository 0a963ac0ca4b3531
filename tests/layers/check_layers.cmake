# Each layer of src/ includes only the layers below it:
#   server > assistant > db > records > access > core > platform
#   cmake -DSOURCE_DIR=.../src -P check_layers.cmake
set(forbidden_core "db|assistant|server|records|access")
set(forbidden_access "db|assistant|server|records")
set(forbidden_records "db|assistant|server")
set(forbidden_db "assistant|server")
set(forbidden_assistant "server")

set(failures "")
foreach(layer core access records db assistant)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^#include \"(${forbidden_${layer}})/")
    foreach(line ${includes})
      string(APPEND failures "\n  ${file}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "includes against the layers:${failures}")
endif()
