# Native build of the platform-free logic: unit tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, libFuzzer targets (clang), benchmarks, and
# the checks that build the Windows product in other ways.
option(CORVANE_SANITIZE "Build with ASan and UBSan" ON)
option(CORVANE_FUZZERS "Build libFuzzer targets (clang only)" ON)
option(CORVANE_BENCHMARKS "Build the benchmarks (no sanitizers)" OFF)

add_compile_options(-Wall -Wextra)
if(CORVANE_SANITIZE)
  set(CORVANE_SANITIZER_FLAGS -fsanitize=address,undefined
      -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${CORVANE_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

if(BUILD_TESTING)
  include(cmake/CorvaneGoogleTest.cmake)

  add_executable(native_unit_tests
    tests/native/absolute_pointer_test.cpp
    tests/native/bounded_string_test.cpp
    tests/native/browser_command_test.cpp
    tests/native/dpi_layout_test.cpp
    tests/native/domain_matching_test.cpp
    tests/native/guid_text_test.cpp
    tests/native/prefs_file_test.cpp
    tests/native/strip_placement_test.cpp
    tests/native/url_encoding_test.cpp
    tests/support/native/failing_memory.cpp
  )
  target_link_libraries(native_unit_tests PRIVATE corvane_pure GTest::gtest_main)
  add_test(NAME native_unit_tests COMMAND native_unit_tests --gtest_brief=1)
  set_tests_properties(native_unit_tests PROPERTIES LABELS native)

  # The Go-button bitmaps and the program's icon are exactly what their
  # generators draw.
  add_executable(make_go_bitmaps tools/make_go_bitmaps.cpp)
  add_executable(make_program_icon tools/make_program_icon.cpp)
  foreach(case "make_go_bitmaps:go_bitmaps_reproducible:res/go_normal.bmp,res/go_active.bmp"
               "make_program_icon:program_icon_reproducible:program/corvane.ico")
    string(REPLACE ":" ";" parts "${case}")
    list(GET parts 0 generator)
    list(GET parts 1 name)
    list(GET parts 2 files)
    target_link_libraries(${generator} PRIVATE corvane_pure)
    add_test(NAME ${name}
      COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:${generator}>
              -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/generated/${name}
              -DFILES=${files} -P ${CMAKE_SOURCE_DIR}/cmake/CheckGeneratedFiles.cmake)
    set_tests_properties(${name} PROPERTIES LABELS native)
  endforeach()

  # The code follows .clang-format.
  find_program(CORVANE_CLANG_FORMAT NAMES clang-format clang-format-14 REQUIRED)
  add_test(NAME source_format
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/checks/check_format.sh ${CORVANE_CLANG_FORMAT})
  set_tests_properties(source_format PROPERTIES LABELS native
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

  # The Windows product as a Windows developer builds it: with the tests
  # off and no GoogleTest anywhere.
  add_test(NAME windows_build_without_tests
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/checks/windows_build_without_tests.sh
            ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/build-checks/windows_build_without_tests)
  set_tests_properties(windows_build_without_tests PROPERTIES LABELS "native;build" TIMEOUT 600)
endif()

if(BUILD_TESTING AND CORVANE_FUZZERS AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Coverage-instrumented copy of the logic for the fuzzers.
  add_library(corvane_pure_fuzz STATIC ${CORVANE_PURE_SOURCES} support/memory.cpp)
  target_include_directories(corvane_pure_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(corvane_pure_fuzz PRIVATE -fsanitize=fuzzer-no-link)
  foreach(target url_encoding bounded_format home_page browser_command
                 prefs_file country_code)
    add_executable(fuzz_${target} tests/fuzz/fuzz_${target}.cpp)
    target_link_libraries(fuzz_${target} PRIVATE corvane_pure_fuzz)
    target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    add_test(NAME fuzz_${target}
      COMMAND fuzz_${target} -runs=4000 -seed=1 -max_len=4096)
    set_tests_properties(fuzz_${target} PROPERTIES LABELS fuzz)
  endforeach()
endif()

if(CORVANE_BENCHMARKS)
  find_package(benchmark REQUIRED)
  find_package(CURL REQUIRED)
  add_executable(encoder_benchmark tests/bench/encoder_benchmark.cpp
                 support/memory.cpp)
  target_link_libraries(encoder_benchmark PRIVATE corvane_pure
                        benchmark::benchmark CURL::libcurl)
endif()
