# Cross build for 64-bit Windows with MinGW-w64. The posix thread variant
# gives GoogleTest the std::mutex it needs; the tests run on this build.
set(TESSARO_MINGW_TRIPLE x86_64-w64-mingw32)
set(TESSARO_MINGW_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
