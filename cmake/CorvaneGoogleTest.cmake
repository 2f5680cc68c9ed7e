# GoogleTest, for test builds only: from a source folder when one is given
# (as Debian's package installs them), else an installed package, else
# fetched at configure time.
set(CORVANE_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build the tests with")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
if(CORVANE_GTEST_SOURCE_DIR)
  add_subdirectory(${CORVANE_GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest CONFIG QUIET)
  if(NOT GTest_FOUND)
    include(FetchContent)
    FetchContent_Declare(googletest
      URL https://github.com/google/googletest/archive/refs/tags/v1.14.0.tar.gz)
    FetchContent_MakeAvailable(googletest)
  endif()
endif()
