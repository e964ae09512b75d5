# Cross-compiles for 64-bit Windows with Debian's mingw-w64 x86_64 compiler, a
# build for the tests alone: it runs the Windows C runtime on machines that
# cannot run 32-bit x86 code. Tests run it under Wine's 64-bit loader.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Debian 12 keeps that loader off PATH, and its `wine` launcher takes the
# 32-bit loader whenever wine32 is installed, so the loader is named here.
# Where it lives elsewhere, -DCMAKE_CROSSCOMPILING_EMULATOR=<loader> names it.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
