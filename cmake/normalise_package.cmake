# Runs after CPack has packed (CPACK_POST_BUILD_SCRIPTS): repacks each archive
# in CPACK_PACKAGE_FILES so that its bytes depend on the sources alone, not on
# who builds it, where, on which filesystem or under which umask. Entries are
# sorted by name and owned by 0/0, folders are 755 and files 644 or 755, and
# with SOURCE_DATE_EPOCH set every entry carries that time. A .zip keeps no
# extra fields (owner, Unix times), and its local times are UTC. CPack then
# copies the archive out and writes its checksum. Needs GNU tar and gzip, or
# zip.
cmake_minimum_required(VERSION 3.25)

set(modes u+w,go-w,a+rX)
set(mtime)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(mtime @$ENV{SOURCE_DATE_EPOCH})
endif()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  file(MAKE_DIRECTORY ${tree})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${package}
                  WORKING_DIRECTORY ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(
    GLOB_RECURSE entries
    LIST_DIRECTORIES true
    RELATIVE ${tree}
    ${tree}/*)
  list(SORT entries)
  file(
    GLOB top
    RELATIVE ${tree}
    ${tree}/*)
  file(REMOVE ${package})

  if(package MATCHES "\\.zip$")
    execute_process(COMMAND chmod -R ${modes} .
                    WORKING_DIRECTORY ${tree} COMMAND_ERROR_IS_FATAL ANY)
    if(mtime)
      execute_process(COMMAND touch -h -d ${mtime} ${entries}
                      WORKING_DIRECTORY ${tree} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    list(JOIN entries "\n" names)
    file(WRITE ${tree}.names "${names}\n")
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -q -X -@ ${package}
      INPUT_FILE ${tree}.names
      WORKING_DIRECTORY ${tree} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${tree}.names)
  else()
    set(tar_options --sort=name --owner=0 --group=0 --numeric-owner
                    --mode=${modes} --format=gnu)
    if(mtime)
      list(APPEND tar_options --mtime=${mtime})
    endif()
    execute_process(COMMAND tar ${tar_options} -cf ${tree}.tar ${top}
                    WORKING_DIRECTORY ${tree} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND gzip -9 -n -c ${tree}.tar
                    OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${tree}.tar)
  endif()
  file(REMOVE_RECURSE ${tree})
endforeach()
