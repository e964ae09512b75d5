# The gcc11 preset's compiler: g++ 11 and no other. Its libstdc++ 11 reports a
# subnormal float from from_chars as out of range without a value, and only
# this build tests what the amount reader does then. Debian 12 has g++ 11;
# Debian 13 and later releases do not. CMakeLists.txt reads this file once
# before project() too, so that a missing g++-11 stops configuring before
# CMake adds errors of its own about the compiler and the build program.
find_program(STUDENT_GXX_11 g++-11 NO_CACHE)
if(NOT STUDENT_GXX_11)
  message(
    FATAL_ERROR
      "g++-11 is not on PATH, and the gcc11 preset builds with it and no "
      "other compiler: it tests the amount reader on libstdc++ 11, which only "
      "g++ 11 brings. On Debian 12: apt-get install g++-11. Debian 13 has no "
      "g++ 11, so there this preset cannot be built; do not ask apt for "
      "g++-11 there, which installs other packages in its place.")
endif()
set(CMAKE_CXX_COMPILER ${STUDENT_GXX_11})
