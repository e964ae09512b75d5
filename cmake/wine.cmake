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

add_test(NAME wine.start
         COMMAND sh -c "mkdir -p \"$WINEPREFIX\" && { wineserver -p && \
                        $0 cmd /c exit; } </dev/null >/dev/null 2>&1"
                 ${CMAKE_CROSSCOMPILING_EMULATOR})
add_test(NAME wine.stop COMMAND wineserver -k)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
set_tests_properties(wine.start wine.stop
                     PROPERTIES ENVIRONMENT "${STUDENT_WINE_ENVIRONMENT}")
