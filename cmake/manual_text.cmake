# Renders the manual page as plain text with CR LF line ends, the text that
# the Windows .zip carries in place of a manual page, so the two cannot say
# different things.
#
#   cmake -DGROFF=<groff> -DMANUAL=<page> -DOUTPUT=<file> -P manual_text.cmake
cmake_minimum_required(VERSION 3.25)

# -Tascii with -P-cbou: plain ASCII, no escape sequences, no overstriking.
execute_process(
  COMMAND ${GROFF} -man -Tascii -P-cbou -ww ${MANUAL}
  OUTPUT_VARIABLE text
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "groff failed on ${MANUAL}: ${status}\n${errors}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
