# Shared part of the MinGW-w64 toolchain files; the including file sets
# TESSARO_MINGW_TRIPLE, TESSARO_MINGW_THREADS (posix or win32) and
# CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${TESSARO_MINGW_TRIPLE}-gcc-${TESSARO_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${TESSARO_MINGW_TRIPLE}-g++-${TESSARO_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${TESSARO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSARO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -O2 as the Linux builds use. MinGW's GCC 12 reports false array bounds
# inside std::vector's inlined copies (GCC bug 107852 and relatives): they
# stay warnings, visible, but do not fail a -Werror build.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_INIT "-Wno-error=array-bounds -Wno-error=stringop-overflow")

# Standalone programs: the C and C++ runtimes are linked in, so the .exe
# imports only DLLs that every Windows system has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Test programs run under wine; 32-bit ones only where wine32 is installed.
find_program(TESSARO_WINE wine)
if(TESSARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSARO_WINE})
endif()
