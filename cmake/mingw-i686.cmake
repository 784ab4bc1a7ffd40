# Cross-compiles Plover for 32-bit Windows (the build that ships) with MinGW-w64 and
# runs what it builds (tests, benchmarks) under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PLOVER_MINGW_TRIPLE i686-w64-mingw32)
set(PLOVER_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
