# Runs the demo on the sample file and compares what it prints with the
# expected text, so the example the README points to is proved on every run.
#   cmake -DDEMO=... -DINPUT=... [-DDEMO_ARGS=...] -DEXPECTED=... -P compare_demo.cmake
execute_process(COMMAND ${DEMO} ${INPUT} ${DEMO_ARGS}
                OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${DEMO} exited with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "${DEMO} printed:\n${actual}\nexpected:\n${expected}")
endif()
