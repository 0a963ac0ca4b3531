# Suites that prove the library under hostile input, failing memory and
# disks, and many threads. Each is built where its build folder asks for it
# (see cmake/reliability.cmake); natively only, since the walks find the
# members in the native dispatch tables.
if(WIN32)
  return()
endif()

set(KINFOLD_TESTS_DIR ${CMAKE_CURRENT_SOURCE_DIR})

function(kinfold_reliability_program name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${KINFOLD_TESTS_DIR})
  target_link_libraries(${name} PRIVATE kinfold_static)
  target_compile_definitions(${name} PRIVATE KINFOLD_TEST_DATA="${KINFOLD_TESTS_DIR}/data")
endfunction()

if(KINFOLD_FUZZ)
  foreach(target load_walk_fuzz footnote_pattern_fuzz)
    kinfold_reliability_program(${target} fuzz/${target}.cpp fuzz/fuzz_host.cpp
                                support/member_walker.cpp support/database_walk.cpp)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  endforeach()
  kinfold_reliability_program(level_rules_fuzz fuzz/level_rules_fuzz.cpp fuzz/fuzz_host.cpp
                              support/level_rules.cpp support/level_answers.cpp)
  target_link_options(level_rules_fuzz PRIVATE -fsanitize=fuzzer)
  kinfold_reliability_program(export_fuzz fuzz/export_fuzz.cpp fuzz/fuzz_host.cpp
                              support/export_answers.cpp support/level_rules.cpp
                              support/level_answers.cpp)
  target_link_options(export_fuzz PRIVATE -fsanitize=fuzzer)
  kinfold_reliability_program(check_fuzz fuzz/check_fuzz.cpp)
  target_link_libraries(check_fuzz PRIVATE kinfold_check)
  target_link_options(check_fuzz PRIVATE -fsanitize=fuzzer)
endif()

if(KINFOLD_FAULT_INJECTION)
  file(GLOB KINFOLD_INJECTION_SOURCES CONFIGURE_DEPENDS ${KINFOLD_TESTS_DIR}/injection/*.cpp)
  kinfold_reliability_program(kinfold_injection_tests ${KINFOLD_INJECTION_SOURCES}
                              support/member_walker.cpp support/database_walk.cpp
                              support/com_test_support.cpp
                              support/temp_file.cpp)
  # Run by scripts/test.sh in a stage of its own, not through CTest.
  target_link_libraries(kinfold_injection_tests PRIVATE GTest::gtest GTest::gtest_main)
endif()

# Plain native builds make it too, so that it cannot rot; it proves most
# under ThreadSanitizer (KINFOLD_THREAD_SANITIZE).
kinfold_reliability_program(kinfold_thread_tests threads/many_hosts.cpp support/member_walker.cpp
                            support/database_walk.cpp)

# Loads and releases one file many times; scripts/test.sh runs it on a file
# of 1 MB made by gedcom_replicate.
kinfold_reliability_program(long_running_host soak/long_running_host.cpp)
