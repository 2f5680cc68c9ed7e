# The product: 32-bit Windows, cross-compiled with mingw-w64 (posix threads,
# which GoogleTest needs; everything is linked statically).
set(CORVANE_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER ${CORVANE_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_TRIPLET}-g++-posix)
set(CORVANE_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
