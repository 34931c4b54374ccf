# Cross build for 64-bit Windows with MinGW-w64 (Debian's -win32 thread variant).
set(TESSARO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
