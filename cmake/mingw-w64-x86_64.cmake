# Cross-compiles for 64-bit Windows with Debian's mingw-w64 x86_64 compiler, a
# build for the tests alone: it runs the Windows C runtime on machines that
# cannot run 32-bit x86 code. Tests run it under Wine's 64-bit loader.
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# Debian 12 and 13 keep that loader off PATH, and their `wine` launcher takes
# the 32-bit loader whenever wine32 is installed, so the loader is named here.
# Where it lives elsewhere, -DSTUDENT_WINE_LOADER=<loader> names it.
set(STUDENT_DEFAULT_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
