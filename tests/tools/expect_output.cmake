# Runs COMMAND (arguments separated by |) and checks its exit code against EXIT_CODE and, when EXPECTED is
# given, its standard output against that file.
string(REPLACE "|" ";" command "${COMMAND}")
execute_process(COMMAND ${command} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL EXIT_CODE)
  message(FATAL_ERROR "exit code ${rc}, expected ${EXIT_CODE}\n${out}${err}")
endif()
if(EXPECTED)
  file(READ ${EXPECTED} want)
  if(NOT out STREQUAL want)
    message(FATAL_ERROR "output differs from ${EXPECTED}:\n${out}")
  endif()
endif()
