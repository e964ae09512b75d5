# Provides GTest::gtest and GTest::gtest_main without network access: the
# installed package when one fits the target (Debian's libgtest-dev for native
# builds), otherwise a build from the sources Debian ships (needed when
# cross-compiling, since a host library cannot link into a Windows program).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(STUDENT_GTEST_SOURCE_DIR
      /usr/src/googletest
      CACHE PATH "GoogleTest sources, built when no installed package fits")
  if(NOT EXISTS ${STUDENT_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest not found: install libgtest-dev and "
                        "googletest, or set STUDENT_GTEST_SOURCE_DIR")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${STUDENT_GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL
                   SYSTEM)
endif()
