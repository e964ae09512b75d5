# Runs the program on one golden case: INPUT on standard input, and what it
# writes to OUTPUT compared byte for byte with EXPECTED. The run must exit
# with status 0 and write nothing to standard error.
#
#   cmake -DPROGRAM=<exe> -DINPUT=<file> -DEXPECTED=<file> -DOUTPUT=<file>
#         [-DEMULATOR=<runner>] [-DIGNORE_EOL=ON] -P run_golden.cmake
#
# EMULATOR runs a cross-compiled program (wine); IGNORE_EOL lets a CR LF line
# end in the output stand for LF, as the Windows C runtime writes it. A run
# that hangs fails after 60 seconds.
cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND ${EMULATOR} ${PROGRAM}
  INPUT_FILE ${INPUT}
  OUTPUT_FILE ${OUTPUT}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 60)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "exit status ${status}, expected 0\n${errors}")
endif()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "unexpected output on standard error:\n${errors}")
endif()

set(compare_options)
if(IGNORE_EOL)
  set(compare_options --ignore-eol)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${compare_options}
                        ${EXPECTED} ${OUTPUT} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "output ${OUTPUT} differs from ${EXPECTED}")
endif()
