# What both Windows toolchains share: Debian's mingw-w64 compiler for
# CMAKE_SYSTEM_PROCESSOR (i686 or x86_64), which the including toolchain sets
# along with STUDENT_DEFAULT_WINE_LOADER, the Wine loader that runs the tests
# unless -DSTUDENT_WINE_LOADER=<loader> names another.
set(CMAKE_SYSTEM_NAME Windows)
set(STUDENT_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

# The -posix variant provides std::thread and std::mutex, which GoogleTest
# uses.
set(CMAKE_C_COMPILER ${STUDENT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STUDENT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${STUDENT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${STUDENT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the program needs no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

set(STUDENT_WINE_LOADER
    ${STUDENT_DEFAULT_WINE_LOADER}
    CACHE STRING
          "The Wine loader that runs the tests: a path, or a name on PATH")

# The tests run the program through the including toolchain's Wine loader,
# with address-space randomisation off for it and whatever it starts. Debian
# 12's loader sits at a fixed address, 0x7d000000, and the kernel starts its
# heap anywhere up to 1 GiB above it, so one start in some thousands the heap
# covers one of Windows' fixed addresses, the shared user data at 0x7ffe0000,
# and Wine exits 1 before the program runs. Debian's Wine has no preloader,
# which would keep those addresses free. Without randomisation the heap starts
# right after the loader at every start. Debian 13's loader is
# position-independent and placed far from there; without randomisation it
# too is placed the same way at every start.
set(CMAKE_CROSSCOMPILING_EMULATOR setarch -R ${STUDENT_WINE_LOADER})
