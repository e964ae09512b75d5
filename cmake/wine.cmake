# Runs the tests of a Windows build under Wine.
#
# Every Wine start pays seconds unless one server stays up, and Wine's helper
# processes hold on to the output pipe of whichever test started them. So the
# `wine` fixture starts one persistent server and warms the prefix with all
# standard streams on /dev/null before any test, and stops it afterwards.
# The prefix lives in the build tree.
set(STUDENT_WINE_ENVIRONMENT
    WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix WINEDEBUG=-all
    # Skip the offer to install .NET and HTML engines into a new prefix.
    WINEDLLOVERRIDES=mscoree,mshtml=)

# The loader, STUDENT_WINE_LOADER, which the emulator runs, is a path or else
# looked for on PATH only, where the tests will look for it.
find_program(STUDENT_WINE ${STUDENT_WINE_LOADER} NO_CACHE NO_CMAKE_SYSTEM_PATH
             NO_CMAKE_INSTALL_PREFIX)
if(NOT STUDENT_WINE)
  message(
    WARNING
      "${STUDENT_WINE_LOADER} is missing: the tests of this Windows build run "
      "under that Wine loader and cannot run without it. Install Wine as "
      "docs/platforms.md says for this preset, or configure with "
      "-DBUILD_TESTING=OFF.")
endif()

# Without Wine the warm-up says so, since it discards Wine's own output. Its
# arguments are the loader, then the emulator's words. A server already
# running for the prefix (wineserver -p exits with 2), left by an interrupted
# run or serving another ctest, is used as it is; likewise there may be none
# left to stop.
string(
  CONCAT warm_up
         "command -v \"$1\" >/dev/null || "
         "{ echo \"$1 is missing: these tests run under it\" >&2; "
         "exit 1; } && shift && mkdir -p \"$WINEPREFIX\" && "
         "{ { wineserver -p || [ $? -eq 2 ]; } && \"$@\" cmd /c exit; } "
         "</dev/null >/dev/null 2>&1")
add_test(NAME wine.start COMMAND sh -c "${warm_up}" sh ${STUDENT_WINE_LOADER}
                                 ${CMAKE_CROSSCOMPILING_EMULATOR})
add_test(NAME wine.stop COMMAND sh -c "wineserver -k || true")
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
set_tests_properties(wine.start wine.stop
                     PROPERTIES ENVIRONMENT "${STUDENT_WINE_ENVIRONMENT}")
