# Runs TOOL with the options ARGS (blank-separated, may be empty) on INPUT; checks its exit code against EXPECTED_EXIT, its output against the
# file EXPECTED (when given) and that its error output holds EXPECTED_STDERR (when given).
# EMULATOR, when not empty, is the program that runs TOOL (a cross build's emulator).
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${EMULATOR} ${TOOL} ${args} ${INPUT}
  RESULT_VARIABLE exit_code OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT exit_code EQUAL EXPECTED_EXIT)
  message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECTED_EXIT}; stderr: ${errors}")
endif()
if(DEFINED EXPECTED)
  file(READ ${EXPECTED} expected_output)
  if(NOT output STREQUAL expected_output)
    message(FATAL_ERROR "output differs from ${EXPECTED}:\n${output}")
  endif()
endif()
if(DEFINED EXPECTED_STDERR)
  string(FIND "${errors}" "${EXPECTED_STDERR}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "stderr lacks '${EXPECTED_STDERR}': ${errors}")
  endif()
endif()
