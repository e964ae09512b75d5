# Checks that PROGRAM is a Windows console program for MACHINE, i386 (PE32)
# or x86-64 (PE32+), whose imports are all Windows' own DLLs, so it runs from
# a bare copy of the .exe; and a 32-bit one, that it is large-address-aware,
# so it has 4 GiB of address space on 64-bit Windows instead of 2.
#
#   cmake -DPROGRAM=<exe> -DMACHINE=<i386|x86-64> -DOBJDUMP=<objdump>
#         -P check_windows_executable.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND ${OBJDUMP} -p ${PROGRAM}
  OUTPUT_VARIABLE headers
  RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()
if(NOT headers MATCHES "file format pei-${MACHINE}\n")
  message(FATAL_ERROR "not a Windows program for ${MACHINE}")
endif()
if(NOT headers MATCHES "Subsystem[ \t]+00000003")
  message(FATAL_ERROR "not a console program (subsystem 3)")
endif()

if(MACHINE STREQUAL "i386" AND NOT headers MATCHES "large address aware")
  message(FATAL_ERROR "not large-address-aware")
endif()

set(windows_dlls KERNEL32.dll msvcrt.dll USER32.dll ADVAPI32.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  if(NOT dll IN_LIST windows_dlls)
    message(FATAL_ERROR "imports ${dll}, which is not one of Windows' own")
  endif()
endforeach()
message(STATUS "imports: ${imports}")
