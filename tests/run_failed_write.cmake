# Runs the program with its standard output on /dev/full and then closed:
# each run must exit with status 1 and say why on standard error, within 60
# seconds.
#
#   cmake -DPROGRAM=<exe> -DINPUT=<file> [-DEMULATOR=<runner>]
#         -P run_failed_write.cmake
cmake_minimum_required(VERSION 3.25)

set(expected "student-dialogue: cannot write to standard output\n")
foreach(redirection ">/dev/full" ">&-")
  execute_process(
    COMMAND sh -c "exec \"$@\" ${redirection}" sh ${EMULATOR} ${PROGRAM}
    INPUT_FILE ${INPUT}
    ERROR_VARIABLE errors
    RESULT_VARIABLE status
    TIMEOUT 60)
  # The Windows C runtime writes the line end as CR LF.
  string(REPLACE "\r\n" "\n" errors "${errors}")
  if(NOT status STREQUAL "1" OR NOT errors STREQUAL expected)
    message(FATAL_ERROR "stdout ${redirection}: exit status ${status}, "
                        "standard error:\n${errors}")
  endif()
endforeach()
