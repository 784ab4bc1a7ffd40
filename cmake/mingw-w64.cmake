# What both MinGW-w64 cross builds share; the two toolchain files beside it name the
# target and include this.  Set before: PLOVER_MINGW_TRIPLE, PLOVER_WINE_ARCH.
set(CMAKE_SYSTEM_NAME Windows)
# The posix-threads flavour: GoogleTest needs std::thread.
set(CMAKE_C_COMPILER ${PLOVER_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLOVER_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PLOVER_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PLOVER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and benchmarks run under the Wine of the same width, in its own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env PLOVER_ARCH=${PLOVER_WINE_ARCH} ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine)
