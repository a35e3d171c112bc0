# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads compiler,
# which has std::thread), every library linked in, so that the executable runs under Wine
# or on Windows alone. Each test run goes through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(VELORBIS_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT VELORBIS_WINE)
  find_program(VELORBIS_WINE NAMES wine wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELORBIS_WINE})
