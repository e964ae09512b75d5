# student_enable_warnings(<target>): the project's warning set, for its own
# targets only (third-party code keeps its own flags).
function(student_enable_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
  else()
    target_compile_options(
      ${target}
      PRIVATE -Wall
              -Wextra
              -Wpedantic
              -Wconversion
              -Wsign-conversion
              -Wshadow
              -Wold-style-cast
              -Wnon-virtual-dtor
              -Woverloaded-virtual
              -Wcast-align
              -Wdouble-promotion
              -Wformat=2)
  endif()
  # Per target, not CMAKE_COMPILE_WARNING_AS_ERROR, which would reach
  # GoogleTest built from sources too.
  if(STUDENT_WARNINGS_AS_ERRORS)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
  endif()
endfunction()
