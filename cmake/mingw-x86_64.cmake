# Cross-compiles Plover for 64-bit Windows with MinGW-w64 and runs what it builds
# under 64-bit Wine: the build for machines that cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PLOVER_MINGW_TRIPLE x86_64-w64-mingw32)
set(PLOVER_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
