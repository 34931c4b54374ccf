# Cross build for 32-bit Windows with MinGW-w64: what older systems run. The
# programs use no threads, so the win32 thread variant does; no tests are
# built here (wine64 cannot run 32-bit programs).
set(TESSARO_MINGW_TRIPLE i686-w64-mingw32)
set(TESSARO_MINGW_THREADS win32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
