# Runs the program on one golden case: INPUT on standard input, and what it
# writes to OUTPUT compared byte for byte with EXPECTED. The run must exit
# with status 0 and write nothing to standard error.
#
#   cmake -DPROGRAM=<exe> -DINPUT=<file> -DEXPECTED=<file> -DOUTPUT=<file>
#         [-DEMULATOR=<runner>] [-DARGUMENTS=<list>] -P run_golden.cmake
#
# The program runs with ARGUMENTS, through EMULATOR where it is
# cross-compiled (wine). A Windows program (.exe) writes each line end as
# CR LF, as the Windows C runtime does in text mode: EXPECTED, kept with LF
# line ends, is then compared with each LF made CR LF, so a bare LF in the
# output fails as any other wrong byte does. A run that hangs fails after 60
# seconds.
cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND ${EMULATOR} ${PROGRAM} ${ARGUMENTS}
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

# Byte for byte, as hexadecimal text: CMake's strings hold no NUL byte.
file(READ ${EXPECTED} expected HEX)
if(PROGRAM MATCHES "\\.exe$")
  string(REGEX REPLACE "(..)" "\\1;" bytes "${expected}")
  list(TRANSFORM bytes REPLACE "^0a$" "0d0a")
  list(JOIN bytes "" expected)
endif()
file(READ ${OUTPUT} written HEX)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "output ${OUTPUT} differs from ${EXPECTED}")
endif()
