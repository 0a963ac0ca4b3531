# Runs the demo on the sample file and compares what it prints with the
# expected text, so the example the README points to is proved on every run.
#   cmake -DDEMO=... -DINPUT=... -DEXPECTED=... -P compare_demo.cmake
execute_process(COMMAND ${DEMO} ${INPUT}
                OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kinfold_demo exited with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "kinfold_demo printed:\n${actual}\nexpected:\n${expected}")
endif()
