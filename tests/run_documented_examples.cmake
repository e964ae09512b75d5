# Holds the examples that the README and the manual page show to what the
# program writes, byte for byte: in each, the run at the console, each answer
# typed after its prompt (run with --help, which the documents say starts the
# dialogue like any other run), and the run with its answers piped in by
# printf;
# and each row of the README's Usage table, whose answer is typed in place of
# the same answer of the piped run, so that the second record must show what
# the row says instead.
#
#   cmake -DPROGRAM=<exe> -DREADME=<file> -DMANUAL=<page> -DWORK=<folder>
#         [-DEMULATOR=<runner>] -P run_documented_examples.cmake
cmake_minimum_required(VERSION 3.25)

# Runs the program on `input`, with any further arguments as its own, as a
# golden case whose output is `expected`.
function(check name input expected)
  set(ARGUMENTS ${ARGN})
  set(INPUT ${WORK}/${name}.in)
  set(EXPECTED ${WORK}/${name}.expected)
  set(OUTPUT ${WORK}/${name}.out)
  file(WRITE ${INPUT} "${input}")
  file(WRITE ${EXPECTED} "${expected}")
  include(${CMAKE_CURRENT_LIST_DIR}/run_golden.cmake)
endfunction()

file(READ ${README} README)
# The manual page as its reader sees it: \- and \  (space) as the character,
# \& as nothing, the quote and backslash by their names, and each example's
# start and end, .EX and .EE, as a Markdown fence.
file(READ ${MANUAL} MANUAL)
string(REGEX REPLACE "\\\\([- ])" "\\1" MANUAL "${MANUAL}")
string(REPLACE "\\&" "" MANUAL "${MANUAL}")
string(REPLACE "\\(aq" "'" MANUAL "${MANUAL}")
string(REPLACE "\\(rs" "\\" MANUAL "${MANUAL}")
string(REGEX REPLACE "\n\\.E[XE]" "\n```" MANUAL "${MANUAL}")

# At the console each answer stands after its prompt, echoed with its line
# end; the program writes the rest.
string(REPEAT "(Please enter a [a-z ]+: )([^\n]*)\n" 3 asked)

set(piped "\n\\$ printf '([^']*)' \\| student-dialogue\n([^`]*)```")
foreach(doc MANUAL README)
  if(NOT "${${doc}}" MATCHES "```\n${asked}([^`]*)```")
    message(FATAL_ERROR "${doc}: no example at the console found")
  endif()
  check(${doc}.console "${CMAKE_MATCH_2}\n${CMAKE_MATCH_4}\n${CMAKE_MATCH_6}\n"
        "${CMAKE_MATCH_1}${CMAKE_MATCH_3}${CMAKE_MATCH_5}${CMAKE_MATCH_7}"
        --help)
  if(NOT "${${doc}}" MATCHES "${piped}")
    message(FATAL_ERROR "${doc}: no piped example found")
  endif()
  string(REPLACE "\\n" "\n" input "${CMAKE_MATCH_1}")
  set(output "${CMAKE_MATCH_2}")
  check(${doc}.piped "${input}" "${output}")
endforeach()

# The README's one table, past its header, row by row against the README's
# piped run: | field `answer` ... | `shows` ... |
string(REGEX MATCHALL "\n\\|[^\n]*" rows "${README}")
list(REMOVE_AT rows 0 1)
set(fields "first name;last name;amount")
foreach(row IN LISTS rows)
  if(NOT row MATCHES
     "^\n\\| (first name|last name|amount) `([^`]*)`([^|]*)\\| `([^`]*)`")
    message(FATAL_ERROR "README: a Usage row this test cannot read:${row}")
  endif()
  list(FIND fields "${CMAKE_MATCH_1}" field)
  set(typed "${CMAKE_MATCH_2}")
  string(MAKE_C_IDENTIFIER "${typed}" name)
  string(REPLACE "\n" ";" answers "${input}")
  list(GET answers ${field} replaced)
  string(REPLACE "[${replaced}]" "${CMAKE_MATCH_4}" expected "${output}")
  if(CMAKE_MATCH_3 MATCHES "CR LF")
    string(APPEND typed "\r")
  endif()
  list(REMOVE_AT answers ${field})
  list(INSERT answers ${field} "${typed}")
  list(JOIN answers "\n" typed_input)
  check(README.usage.${name} "${typed_input}" "${expected}")
endforeach()
