# The product: 32-bit Windows, cross-compiled with mingw-w64 (posix threads,
# which GoogleTest needs; everything is linked statically).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CORVANE_TRIPLET i686-w64-mingw32)

set(CMAKE_C_COMPILER ${CORVANE_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CORVANE_WINEARCH win32)
