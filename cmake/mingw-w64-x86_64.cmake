# Cross-build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WAVSLICE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WAVSLICE_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${WAVSLICE_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${WAVSLICE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WAVSLICE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained wavslice.exe: no libgcc, libstdc++ or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
