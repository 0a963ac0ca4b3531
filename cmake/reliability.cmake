# Builds that prove the library under hostile input, failing memory and
# disks, and many threads. All are off by default; scripts/test.sh makes each
# in a build folder of its own.
option(KINFOLD_FUZZ "Build the libFuzzer targets (*_fuzz); needs clang, implies the sanitizers" OFF)
option(KINFOLD_FAULT_INJECTION "Let tests fail the library's allocations and file reads one at a time" OFF)
option(KINFOLD_THREAD_SANITIZE "Build with ThreadSanitizer" OFF)

if(KINFOLD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KINFOLD_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  set(KINFOLD_SANITIZE ON)
  # Coverage feedback from every object of the library, not only the targets.
  # Without the tracing of comparisons, which halves the speed of a load and
  # walk: the dictionaries give the fuzzer the tags and tokens it would learn.
  add_compile_options(-fsanitize=fuzzer-no-link -fno-sanitize-coverage=trace-cmp)
endif()

if(KINFOLD_FAULT_INJECTION)
  add_compile_definitions(KINFOLD_FAULT_INJECTION)
endif()

if(KINFOLD_THREAD_SANITIZE)
  if(KINFOLD_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer")
  endif()
  # The object pool stays on: its sharing between threads is what is checked.
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
