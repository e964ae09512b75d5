# Provides GTest::gtest and GTest::gtest_main: the installed package where one
# fits the target (Debian's libgtest-dev in native builds), otherwise
# GoogleTest 1.12.1, downloaded once. FETCHCONTENT_SOURCE_DIR_GOOGLETEST
# points at sources already on disk instead: the win32 preset uses the ones
# Debian's googletest package installs, since a host library cannot link into
# a Windows program.
include(FetchContent)
FetchContent_Declare(
  googletest
  URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz
  URL_HASH
    SHA256=81964fe578e9bd7c94dfdb09c8e4d6e6759e19967e397dbea48d1c10e45d0df2
  FIND_PACKAGE_ARGS NAMES GTest)
# Built from sources: GoogleTest alone, not installed with the program (its
# options honour these plain variables once policy CMP0077 is NEW). With
# Microsoft's compiler it keeps its default static C runtime
# (gtest_force_shared_crt off), which matches the program's.
set(CMAKE_POLICY_DEFAULT_CMP0077 NEW)
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
FetchContent_MakeAvailable(googletest)
# Its headers are system headers to the tests, so the project's warning set
# does not apply to them. (CMake 3.25 passes FetchContent_Declare's SYSTEM on
# to the download step, which then rejects it, so the targets say it.)
if(TARGET gtest)
  set_target_properties(gtest gtest_main PROPERTIES SYSTEM ON)
endif()
