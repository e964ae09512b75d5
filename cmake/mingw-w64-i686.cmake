# Cross-compiles for 32-bit Windows, the released program, with Debian's
# mingw-w64 i686 compiler. Tests run it under Wine's 32-bit loader, which the
# `wine` launcher takes; -DSTUDENT_WINE_LOADER=<loader> names another.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(STUDENT_DEFAULT_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
