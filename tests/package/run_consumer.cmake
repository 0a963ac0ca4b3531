# Installs the build into a scratch prefix, then builds the consumer against
# it twice, with find_package(Kinfold) and with pkg-config, runs both on the
# sample file, and runs the installed kinfold tool.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DSAMPLE=... -DCXX=... -P run_consumer.cmake
function(Run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(result)
    message(FATAL_ERROR "${what} failed:\n${output}")
  endif()
  set(RUN_OUTPUT "${output}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
Run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

Run("configuring the consumer" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${prefix})
Run("building the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
Run("the consumer" ${WORK_DIR}/build/consumer ${SAMPLE})

# pkg-config, as a Makefile or Meson user would use it.
file(GLOB_RECURSE pc_file ${prefix}/*/kinfold.pc)
if(NOT pc_file)
  message(FATAL_ERROR "kinfold.pc was not installed")
endif()
get_filename_component(pc_dir ${pc_file} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
Run("pkg-config" pkg-config --cflags --libs kinfold)
separate_arguments(flags UNIX_COMMAND "${RUN_OUTPUT}")
Run("pkg-config libdir" pkg-config --variable=libdir kinfold)
string(STRIP "${RUN_OUTPUT}" libdir)
Run("building the consumer with pkg-config" ${CXX} -std=c++17 ${SOURCE_DIR}/consumer.cpp
    ${flags} -Wl,-rpath,${libdir} -o ${WORK_DIR}/pc_consumer)
Run("the pkg-config consumer" ${WORK_DIR}/pc_consumer ${SAMPLE})

Run("the installed kinfold tool" ${prefix}/bin/kinfold stats ${SAMPLE} --json)
if(NOT RUN_OUTPUT MATCHES "\"individuals\": 6")
  message(FATAL_ERROR "kinfold stats printed:\n${RUN_OUTPUT}")
endif()
