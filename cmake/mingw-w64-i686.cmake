# Cross build of the shipped 32-bit DLL (for 32-bit programs on 64-bit Windows). Nothing of it
# runs here: this machine's kernel runs no 32-bit programs.
set(TARVIX_MINGW_TRIPLE i686-w64-mingw32)
set(TARVIX_MINGW_THREADS win32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
