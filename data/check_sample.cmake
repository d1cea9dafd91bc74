# Runs the sample generator into OUTPUT and compares the result with the COMMITTED file.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(COMMAND ${Python3_EXECUTABLE} ${SCRIPT} ${OUTPUT}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_sample.py failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED}
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "make_sample.py no longer writes the committed bearings.csv; "
                      "run data/make_sample.py and commit the CSV, or mend the script")
endif()
