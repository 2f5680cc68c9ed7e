# Native build of the platform-free logic: unit tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, libFuzzer targets (clang), benchmarks, and
# the checks that build the Windows product in other ways.
option(CORVANE_SANITIZE "Build with ASan and UBSan" ON)
option(CORVANE_FUZZERS "Build libFuzzer targets (clang only)" ON)
option(CORVANE_BENCHMARKS "Build the benchmarks (no sanitizers)" OFF)

add_compile_options(-Wall -Wextra)
# Every program at the top of the tree, where the scripts run them from.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(CORVANE_SANITIZE)
  set(CORVANE_SANITIZER_FLAGS -fsanitize=address,undefined
      -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${CORVANE_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

# The generators of the Go-button bitmaps and the program's icon.
add_executable(make_go_bitmaps tools/make_go_bitmaps.cpp)
add_executable(make_program_icon tools/make_program_icon.cpp)
foreach(generator make_go_bitmaps make_program_icon)
  target_link_libraries(${generator} PRIVATE corvane_pure)
endforeach()
