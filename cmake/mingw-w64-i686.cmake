# Cross build of the 32-bit DLL (for 32-bit programs on 64-bit Windows). There is no 32-bit
# Wine here: only the DLL is built with this toolchain, and nothing of it runs.
set(TARVIX_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
