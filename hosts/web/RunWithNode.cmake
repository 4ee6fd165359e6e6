# Runs the JavaScript program PROGRAM with Node.js and writes what it prints
# to OUTPUT; fails when the program does.
#
#   cmake -DPROGRAM=program.js -DOUTPUT=file -P RunWithNode.cmake
find_program(NODE node REQUIRED)
execute_process(COMMAND ${NODE} ${PROGRAM} OUTPUT_FILE ${OUTPUT}.new RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.new)
  message(FATAL_ERROR "${PROGRAM} failed: ${result}")
endif()
file(RENAME ${OUTPUT}.new ${OUTPUT})
