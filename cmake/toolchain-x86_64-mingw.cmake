# 64-bit Windows build of the same sources, cross-compiled with mingw-w64.
set(CORVANE_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER ${CORVANE_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_TRIPLET}-g++-posix)
set(CORVANE_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
