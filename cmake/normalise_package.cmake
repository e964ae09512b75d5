# Runs after CPack has packed (CPACK_POST_BUILD_SCRIPTS): packs the archive
# again, from the folder CPack packed, so that its bytes depend on the sources
# alone, not on who builds it, where, on which filesystem or under which
# umask. Entries are sorted by name and owned by 0/0, folders are 755 and
# files 644 or 755, and with SOURCE_DATE_EPOCH set every entry carries that
# time. A .zip keeps no extra fields (owner, Unix times), and its local times
# are UTC. CPack then copies the archive out and writes its checksum.
#
# The repack needs GNU tar and find, and gzip for a .tar.gz, or zip, chmod and
# touch for a .zip. Where there is no GNU tar (Visual Studio, macOS), CPack's
# archive is kept as it is and a warning says that it is not normalised; a
# release (CPACK_STUDENT_RELEASE) stops instead. Any other missing tool, a
# malformed SOURCE_DATE_EPOCH, a release without one or a failed step stops
# packing, with no package and no checksum left in the packages folder.
cmake_minimum_required(VERSION 3.25)

# Stops packing: CPack finds no archive to copy out, so nothing is left.
macro(fail)
  file(REMOVE ${CPACK_PACKAGE_FILES})
  message(FATAL_ERROR ${ARGN})
endmacro()

# run(<folder> [INPUT <file>] [OUTPUT <file>] COMMAND <command>...): runs a
# command inside `folder`, with standard input or output on a file if asked;
# stops packing if it fails.
function(run folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "INPUT;OUTPUT" "COMMAND")
  set(files)
  if(arg_INPUT)
    list(APPEND files INPUT_FILE ${arg_INPUT})
  endif()
  if(arg_OUTPUT)
    list(APPEND files OUTPUT_FILE ${arg_OUTPUT})
  endif()
  execute_process(
    COMMAND ${arg_COMMAND} ${files}
    WORKING_DIRECTORY ${folder}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${arg_COMMAND}")
    fail("repacking failed: ${command}: ${status}\n${errors}")
  endif()
endfunction()

# Sets `variable` to the path of `tool` on PATH; stops packing, naming the
# Debian package that brings it, where it is missing.
function(find_tool variable tool package)
  find_program(${variable} ${tool} NO_CACHE NO_DEFAULT_PATH PATHS ENV PATH)
  if(NOT ${variable})
    fail("${tool} is needed to repack the archive and is not on PATH: "
         "install it (Debian package ${package}).")
  endif()
  set(${variable}
      ${${variable}}
      PARENT_SCOPE)
endfunction()

list(LENGTH CPACK_PACKAGE_FILES count)
if(NOT count EQUAL 1)
  fail("repacking takes one archive a run, not ${count}")
endif()
set(package ${CPACK_PACKAGE_FILES})

# Whatever happens below, no earlier package or checksum stays to pass for
# this run's.
get_filename_component(name ${package} NAME)
file(REMOVE ${CPACK_PACKAGE_DIRECTORY}/${name}
     ${CPACK_PACKAGE_DIRECTORY}/${name}.sha256)

set(guide "docs/releasing.md, \"SOURCE_DATE_EPOCH\"")
set(mtime)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    fail("SOURCE_DATE_EPOCH is \"$ENV{SOURCE_DATE_EPOCH}\": it must be a "
         "non-negative decimal integer, the seconds since 1970-01-01 UTC. "
         "See ${guide}.")
  endif()
  set(mtime @$ENV{SOURCE_DATE_EPOCH})
elseif(CPACK_STUDENT_RELEASE)
  fail("SOURCE_DATE_EPOCH is not set: a release carries the time of its "
       "last commit. Run\n  export SOURCE_DATE_EPOCH=$(git log -1 "
       "--format=%ct)\nin the clone first. See ${guide}.")
endif()

find_program(tar tar NO_CACHE NO_DEFAULT_PATH PATHS ENV PATH)
set(gnu_tar_version)
if(tar)
  execute_process(
    COMMAND ${tar} --version
    OUTPUT_VARIABLE gnu_tar_version
    ERROR_QUIET)
endif()
if(NOT gnu_tar_version MATCHES "GNU tar")
  if(CPACK_STUDENT_RELEASE)
    fail("GNU tar is needed to repack a release, and PATH has none: "
         "install it (Debian package tar).")
  endif()
  message(WARNING "No GNU tar on PATH: ${package} is kept as "
                  "CPack made it, not normalised, so its bytes depend on "
                  "the builder.")
  return()
endif()
# Every tool is looked up before the first is run.
find_tool(find find findutils)
if(package MATCHES "\\.zip$")
  find_tool(zip zip zip)
  find_tool(chmod chmod coreutils)
  find_tool(touch touch coreutils)
else()
  find_tool(gzip gzip gzip)
endif()
file(REMOVE ${package})

# CPack packed the folder it installed into, which is still there. That
# folder, not CPack's archive, is packed again: CPack's archive comes out
# empty where the build folder's path holds brackets, which CPack takes for a
# pattern. For the same reason the entries are listed with find, from the
# folder that holds the top one.
get_filename_component(root ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
get_filename_component(top ${CPACK_TEMPORARY_DIRECTORY} NAME)
execute_process(
  COMMAND ${find} ${top} -printf "%p\\n"
  WORKING_DIRECTORY ${root}
  OUTPUT_VARIABLE entries
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT entries MATCHES "/")
  fail(
    "repacking failed: cannot list the files in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
string(REGEX REPLACE "\n$" "" entries "${entries}")
string(REPLACE "\n" ";" entries "${entries}")
list(SORT entries)

set(modes u+w,go-w,a+rX)
if(package MATCHES "\\.zip$")
  run(${root} COMMAND ${chmod} -R ${modes} ${top})
  if(mtime)
    run(${root} COMMAND ${touch} -h -d ${mtime} ${entries})
  endif()
  list(JOIN entries "\n" names)
  file(WRITE ${package}.names "${names}\n")
  run(${root}
      INPUT ${package}.names
      COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${zip} -q -X -@ ${package})
  file(REMOVE ${package}.names)
else()
  set(tar_options --sort=name --owner=0 --group=0 --numeric-owner
                  --mode=${modes} --format=gnu)
  if(mtime)
    list(APPEND tar_options --mtime=${mtime})
  endif()
  run(${root} COMMAND ${tar} ${tar_options} -cf ${package}.tar ${top})
  run(${root}
      OUTPUT ${package}
      COMMAND ${gzip} -9 -n -c ${package}.tar)
  file(REMOVE ${package}.tar)
endif()
