# The 64-bit DLL built by a second compiler: clang and lld targeting
# mingw-w64, with the mingw-w64 headers and runtime of the GCC cross build.
set(CORVANE_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${CORVANE_TRIPLET})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${CORVANE_TRIPLET})

# Debian's clang does not find the C++ headers of the posix-thread GCC.
file(GLOB CORVANE_GCC_DIRS /usr/lib/gcc/${CORVANE_TRIPLET}/*-posix)
list(GET CORVANE_GCC_DIRS 0 CORVANE_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${CORVANE_GCC_DIR}/include/c++ -isystem ${CORVANE_GCC_DIR}/include/c++/${CORVANE_TRIPLET}")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${CORVANE_GCC_DIR}")
endforeach()
set(CORVANE_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
