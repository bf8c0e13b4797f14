# Cross build for 64-bit Windows: the tests and tools, which run under wine64.
set(TARVIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(TARVIX_MINGW_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
