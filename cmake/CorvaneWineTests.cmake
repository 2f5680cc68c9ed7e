# Tests of the Windows layer, run by CTest through Wine in one private prefix
# per build tree. A fixture prepares the prefix once and keeps a wineserver
# running, so that a test costs tens of milliseconds rather than seconds.
# Test names carry the architecture, so that the 32- and 64-bit trees can
# run in one CTest session.
if(NOT DEFINED CORVANE_WINEARCH)
  set(CORVANE_WINEARCH win32)
endif()
set(arch ${CORVANE_WINEARCH})
set(CORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CORVANE_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
set(CORVANE_WINE_PREFIX_TOOL ${CMAKE_SOURCE_DIR}/cmake/wine-prefix.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANE_WINE_RUN} ${CORVANE_WINEPREFIX} ${arch})

# On Windows the tests run as they are. Elsewhere they run under Wine; some
# machines run 64-bit user code only, and there the 32-bit Wine loader cannot
# start, so the 32-bit tree is built and checked without running it.
if(CMAKE_HOST_WIN32)
  set(CORVANE_RUNS_32_BIT ON)
  set(CORVANE_RUN_WINE_TESTS ON)
  set(CMAKE_CROSSCOMPILING_EMULATOR "")
else()
  foreach(bits 32 64)
    if(bits EQUAL 32)
      set(loader /usr/lib/wine/wine)
    else()
      set(loader /usr/lib/wine/wine64)
    endif()
    execute_process(COMMAND ${loader} --version RESULT_VARIABLE loaderResult
                    OUTPUT_QUIET ERROR_QUIET)
    if(loaderResult EQUAL 0)
      set(CORVANE_RUNS_${bits}_BIT ON)
    else()
      set(CORVANE_RUNS_${bits}_BIT OFF)
      message(STATUS "${loader} cannot run on this machine: ${bits}-bit programs "
                     "are built but not run")
    endif()
  endforeach()
  if(arch STREQUAL "win32")
    set(CORVANE_RUN_WINE_TESTS ${CORVANE_RUNS_32_BIT})
  else()
    set(CORVANE_RUN_WINE_TESTS ${CORVANE_RUNS_64_BIT})
  endif()
endif()

include(cmake/CorvaneGoogleTest.cmake)

# Wine keeps the user's locale settings in the prefix's registry and rewrites
# them whenever a process starts under another locale, so every test runs
# under one locale (the country Germany: "de"), and the tests of other
# locales run alone.
set(CORVANE_TEST_LOCALE "LC_ALL=de_DE.UTF-8;LANG=de_DE.UTF-8")

if(CORVANE_RUN_WINE_TESTS AND NOT CMAKE_HOST_WIN32)
  add_test(NAME ${arch}_prefix_start
    COMMAND ${CORVANE_WINE_PREFIX_TOOL} start ${CORVANE_WINEPREFIX} ${arch}
            $<TARGET_FILE:url_recorder>)
  set_tests_properties(${arch}_prefix_start PROPERTIES FIXTURES_SETUP wine_${arch}
    ENVIRONMENT "${CORVANE_TEST_LOCALE}" TIMEOUT 180)
  add_test(NAME ${arch}_prefix_stop
    COMMAND ${CORVANE_WINE_PREFIX_TOOL} stop ${CORVANE_WINEPREFIX} ${arch})
  set_tests_properties(${arch}_prefix_stop PROPERTIES FIXTURES_CLEANUP wine_${arch})
endif()

# Registers a program of this tree as a test run under Wine.
function(corvane_add_wine_test name)
  cmake_parse_arguments(ARG "" "" "COMMAND;ENVIRONMENT;PROPERTIES" ${ARGN})
  if(NOT CORVANE_RUN_WINE_TESTS)
    return()
  endif()
  if(NOT ARG_ENVIRONMENT)
    set(ARG_ENVIRONMENT "${CORVANE_TEST_LOCALE}")
  endif()
  add_test(NAME ${arch}_${name} COMMAND ${ARG_COMMAND})
  set_tests_properties(${arch}_${name} PROPERTIES
    LABELS ${arch} TIMEOUT 300 ENVIRONMENT "${ARG_ENVIRONMENT}" ${ARG_PROPERTIES})
  if(NOT CMAKE_HOST_WIN32)
    set_property(TEST ${arch}_${name} APPEND PROPERTY FIXTURES_REQUIRED wine_${arch})
  endif()
endfunction()

# A GoogleTest program run under Wine as one CTest test.
function(corvane_wine_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ARGS;ENVIRONMENT;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} corvane_host_support corvane_band_hosting
                        GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(NOT MSVC)
    target_compile_options(${name} PRIVATE -Wno-missing-field-initializers -Wno-cast-function-type)
  endif()
  add_dependencies(${name} url_recorder)
  corvane_add_wine_test(${name} COMMAND ${name} --gtest_brief=1 ${ARG_ARGS}
                        ENVIRONMENT "${ARG_ENVIRONMENT}" PROPERTIES ${ARG_PROPERTIES})
endfunction()

# Keyboard focus and activation belong to the whole display: tests that
# create windows take turns.
function(corvane_lock_display name)
  if(TEST ${arch}_${name})
    set_tests_properties(${arch}_${name} PROPERTIES RESOURCE_LOCK display_${arch})
  endif()
endfunction()

# Scratch registry roots and folders, the recorder, a loaded module's image.
set(CORVANE_TEST_SUPPORT tests/support/win/test_support.cpp)
# Frames, activation, message pumping and boxes, bands from this tree's DLL
# and a site that records them.
set(CORVANE_UI_TEST_SUPPORT ${CORVANE_TEST_SUPPORT} tests/support/win/ui_support.cpp
    tests/support/win/recording_band_site.cpp)

corvane_wine_gtest(search_tests
  SOURCES
    tests/win/browser_discovery_test.cpp
    tests/win/launch_web_search_test.cpp
    ${CORVANE_TEST_SUPPORT}
  LIBRARIES corvane_win corvane_memory)
# Its launches start programs, which take the activation for a moment.
corvane_lock_display(search_tests)

corvane_wine_gtest(module_tests
  SOURCES
    tests/win/resources_test.cpp
    tests/win/settings_store_test.cpp
    tests/win/shared_hook_state_test.cpp
    ${CORVANE_TEST_SUPPORT}
  LIBRARIES corvane_module version)
add_dependencies(module_tests corvane)
# Its words shared between processes are the ones every band writes: it
# takes turns with the tests that make bands.
corvane_lock_display(module_tests)

corvane_wine_gtest(band_tests
  SOURCES
    tests/support/win/band_test_support.cpp
    tests/win/band_lifetime_test.cpp
    tests/win/band_object_test.cpp
    tests/win/band_window_test.cpp
    ${CORVANE_UI_TEST_SUPPORT}
  LIBRARIES corvane_module comctl32 ole32 uuid)
add_dependencies(band_tests corvane)
corvane_lock_display(band_tests)

# The band at 96 DPI, and at 120, 144, 192 and 288 DPI with the prefix's
# screen set so for the run; nothing else may run meanwhile, for every window
# of the session would see that DPI.
corvane_wine_gtest(band_dpi_tests
  SOURCES
    tests/support/win/band_test_support.cpp
    tests/win/band_dpi_test.cpp
    ${CORVANE_UI_TEST_SUPPORT}
  LIBRARIES corvane_module corvane_pure comctl32 ole32 uuid)
add_dependencies(band_dpi_tests corvane)
corvane_lock_display(band_dpi_tests)
foreach(dpi 120 144 192 288)
  corvane_add_wine_test(band_at_${dpi}_dpi
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/support/win/at_dpi.sh ${CORVANE_WINE_RUN}
            ${CORVANE_WINEPREFIX} ${arch} ${dpi} $<TARGET_FILE:band_dpi_tests> --gtest_brief=1
    PROPERTIES RUN_SERIAL TRUE)
endforeach()

corvane_wine_gtest(entry_tests
  SOURCES
    tests/win/factory_test.cpp
    tests/win/registration_test.cpp
    ${CORVANE_UI_TEST_SUPPORT}
  LIBRARIES corvane_module comctl32 ole32 uuid)
add_dependencies(entry_tests corvane)
corvane_lock_display(entry_tests)

corvane_wine_gtest(band_reload_tests
  SOURCES
    tests/win/band_reload_test.cpp
    ${CORVANE_UI_TEST_SUPPORT}
  LIBRARIES corvane_module comctl32 ole32 uuid)
add_dependencies(band_reload_tests corvane)
corvane_lock_display(band_reload_tests)

# Corvane.exe as its own process: docking, the remembered place, one per
# session, start with Windows, leaving, F12 and a search, its error boxes.
# The hook DLL sets the program's work area inside its process; the other
# architecture's DLL comes from the sibling build tree.
add_library(work_area_hook SHARED tests/support/win/work_area_hook.cpp
            tests/support/win/work_area_hook.def)
set_target_properties(work_area_hook PROPERTIES PREFIX "")
if(arch STREQUAL "win64")
  set(otherArch win32)
else()
  set(otherArch win64)
endif()
get_filename_component(otherDll ${CMAKE_BINARY_DIR}/../${otherArch}/bin/CORVANE.DLL ABSOLUTE)
string(REPLACE "/" "\\" otherDll "Z:${otherDll}")
corvane_wine_gtest(program_tests
  SOURCES
    tests/win/program_test.cpp
    ${CORVANE_UI_TEST_SUPPORT}
  LIBRARIES corvane_module comctl32 ole32 shell32 uuid version
  ENVIRONMENT "${CORVANE_TEST_LOCALE};CORVANE_OTHER_ARCHITECTURE_DLL=${otherDll}")
add_dependencies(program_tests corvane corvane_program work_area_hook url_recorder)
corvane_lock_display(program_tests)
# Its size and docking on a screen at 150 %.
corvane_add_wine_test(program_at_144_dpi
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/support/win/at_dpi.sh ${CORVANE_WINE_RUN}
          ${CORVANE_WINEPREFIX} ${arch} 144 $<TARGET_FILE:program_tests> --gtest_brief=1
          --gtest_filter=*Docks*:*Remembers*
  ENVIRONMENT "${CORVANE_TEST_LOCALE};CORVANE_OTHER_ARCHITECTURE_DLL=${otherDll}"
  PROPERTIES RUN_SERIAL TRUE)

# The installers from tools/dist.sh, run silently in the prefix. They change
# the machine's registration of the band, so nothing else runs meanwhile.
# What needs 32-bit code (the 32-bit installer refusing 64-bit Windows, a
# 32-bit host loading the 32-bit DLL) runs where 32-bit Wine starts.
add_executable(class_probe tests/support/win/class_probe.cpp)
target_link_libraries(class_probe PRIVATE corvane_module ole32 uuid)
target_link_options(class_probe PRIVATE ${CORVANE_WIDE_MAIN_OPTIONS})
get_filename_component(distDir ${CMAKE_BINARY_DIR}/../dist ABSOLUTE)
string(REPLACE "/" "\\" distDir "Z:${distDir}")
get_filename_component(otherProbe ${CMAKE_BINARY_DIR}/../${otherArch}/bin/class_probe.exe ABSOLUTE)
string(REPLACE "/" "\\" otherProbe "Z:${otherProbe}")
if(arch STREQUAL "win64")
  set(installerEnvironment "CORVANE_INSTALLER=${distDir}\\corvane-setup-x64.exe"
      "CORVANE_OTHER_INSTALLER=${distDir}\\corvane-setup-x86.exe"
      "CORVANE_OTHER_ARCHITECTURE_PROBE=${otherProbe}")
else()
  set(installerEnvironment "CORVANE_INSTALLER=${distDir}\\corvane-setup-x86.exe")
endif()
# A second CORVANE.DLL whose code lies elsewhere, and an installer with it:
# the upgrade the tests install over a band that stays alive.
if(NOT MSVC)
  corvane_add_band_module(corvane_relaid tests/support/win/layout_shift.cpp)
  set_target_properties(corvane_relaid PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/relaid
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/relaid)
endif()
if(arch STREQUAL "win64")
  set(relaidInstaller corvane-setup-relaid-x64.exe)
  set(relaidArguments x64 ${CMAKE_BINARY_DIR}/dist-test/${relaidInstaller} ${CMAKE_BINARY_DIR}
      ${CMAKE_BINARY_DIR}/bin/relaid/CORVANE.DLL ${CMAKE_BINARY_DIR}/../win32/bin/CORVANE.DLL)
else()
  set(relaidInstaller corvane-setup-relaid-x86.exe)
  set(relaidArguments x86 ${CMAKE_BINARY_DIR}/dist-test/${relaidInstaller} ${CMAKE_BINARY_DIR}
      ${CMAKE_BINARY_DIR}/bin/relaid/CORVANE.DLL)
endif()
set(relaidDir ${CMAKE_BINARY_DIR}/dist-test)
string(REPLACE "/" "\\" relaidDir "Z:${relaidDir}")
list(APPEND installerEnvironment "CORVANE_RELAID_INSTALLER=${relaidDir}\\${relaidInstaller}")
if(CORVANE_RUN_WINE_TESTS)
  add_test(NAME ${arch}_relaid_installer
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make_installer.sh ${relaidArguments})
  set_tests_properties(${arch}_relaid_installer PROPERTIES
    FIXTURES_SETUP relaid_installer_${arch} LABELS ${arch})
endif()

corvane_wine_gtest(installer_tests
  SOURCES tests/win/installer_test.cpp ${CORVANE_UI_TEST_SUPPORT}
  LIBRARIES version shell32 comctl32 ole32 uuid
  ARGS --gtest_filter=-InstallerOn64BitWindows.*
  ENVIRONMENT "${CORVANE_TEST_LOCALE};${installerEnvironment}"
  PROPERTIES RUN_SERIAL TRUE FIXTURES_REQUIRED relaid_installer_${arch})
add_dependencies(installer_tests class_probe band_host key_target corvane_relaid)
if(arch STREQUAL "win64" AND CORVANE_RUNS_32_BIT)
  corvane_add_wine_test(installer_on_64_bit_windows
    COMMAND installer_tests --gtest_brief=1 --gtest_filter=InstallerOn64BitWindows.*
    ENVIRONMENT "${CORVANE_TEST_LOCALE};${installerEnvironment}"
    PROPERTIES RUN_SERIAL TRUE)
endif()

# F12 from another application and real keystrokes, driven by xdotool. The
# display's focus and pointer are shared, so nothing else runs meanwhile.
add_executable(key_target tests/support/e2e/key_target.cpp)
# The test host: the band in a strip at a fixed place, driven by switches.
add_executable(band_host tests/support/e2e/band_host.cpp)
target_link_libraries(band_host PRIVATE corvane_host_support corvane_band_hosting comctl32)
add_dependencies(band_host corvane url_recorder)
foreach(tool key_target band_host)
  target_link_options(${tool} PRIVATE ${CORVANE_WIDE_MAIN_OPTIONS})
endforeach()
if(CORVANE_RUN_WINE_TESTS AND NOT CMAKE_HOST_WIN32)
  add_test(NAME ${arch}_focus_key_and_keystrokes
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/focus_key_test.sh ${CORVANE_WINE_RUN}
            ${CORVANE_WINEPREFIX} ${arch} ${CMAKE_BINARY_DIR}/bin
            ${CMAKE_BINARY_DIR}/e2e/focus_key)
  # Registered with regsvr32, hosted through COM, used with real input.
  add_test(NAME ${arch}_product_end_to_end
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/product_test.sh ${CORVANE_WINE_RUN}
            ${CORVANE_WINEPREFIX} ${arch} ${CMAKE_BINARY_DIR}/bin
            ${CMAKE_BINARY_DIR}/e2e/product)
  set_tests_properties(${arch}_focus_key_and_keystrokes ${arch}_product_end_to_end
    PROPERTIES FIXTURES_REQUIRED wine_${arch} LABELS "${arch};e2e" RUN_SERIAL TRUE
    TIMEOUT 300 ENVIRONMENT "${CORVANE_TEST_LOCALE}")
endif()

# The DLL built by clang and lld instead, checked as a file and run through
# this tree's module, band and entry tests.
if(CORVANE_RUN_WINE_TESTS AND NOT CMAKE_HOST_WIN32 AND arch STREQUAL "win64")
  add_test(NAME win64_clang_mingw_dll
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/checks/clang_mingw_dll.sh ${CMAKE_SOURCE_DIR}
            ${CMAKE_BINARY_DIR}/clang-dll ${CORVANE_WINE_RUN} ${CORVANE_WINEPREFIX}
            ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(win64_clang_mingw_dll PROPERTIES LABELS "win64;build" TIMEOUT 600
    FIXTURES_REQUIRED wine_win64 RESOURCE_LOCK display_win64 ENVIRONMENT "${CORVANE_TEST_LOCALE}")
endif()

# The DLL as a file: machine, exports, imports, shared section, size.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(machine 0x8664)
else()
  set(machine 0x014c)
endif()
add_test(NAME ${arch}_dll_file
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/check-dll.sh $<TARGET_FILE:corvane>
          ${CMAKE_OBJDUMP} ${machine} ${CORVANE_DLL_EXPORTS})
set_tests_properties(${arch}_dll_file PROPERTIES LABELS ${arch})
add_test(NAME ${arch}_program_file
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/check-program.sh $<TARGET_FILE:corvane_program>
          ${CMAKE_OBJDUMP} ${machine})
set_tests_properties(${arch}_program_file PROPERTIES LABELS ${arch})

# The locale's country decides the suffix when no home page does.
add_executable(locale_probe tests/win/locale_probe.cpp)
target_link_libraries(locale_probe PRIVATE corvane_win corvane_memory)
target_link_options(locale_probe PRIVATE ${CORVANE_WIDE_MAIN_OPTIONS})
foreach(case "de_CH.UTF-8:ch:ch" "de_DE.UTF-8:de:de" "en_GB.UTF-8:co.uk:co.uk"
             "C:com:com" "is_IS.UTF-8:-:com")
  string(REPLACE ":" ";" parts "${case}")
  list(GET parts 0 locale)
  list(GET parts 1 fromLocale)
  list(GET parts 2 selected)
  corvane_add_wine_test(locale_${locale}
    COMMAND locale_probe ${fromLocale} ${selected}
    ENVIRONMENT "LC_ALL=${locale};LANG=${locale}"
    PROPERTIES RUN_SERIAL TRUE)
endforeach()

# Benchmark of a launch short of the shell call (run by tools/bench.sh).
add_executable(launch_path_benchmark tests/bench/launch_path_benchmark.cpp)
target_link_libraries(launch_path_benchmark PRIVATE corvane_win corvane_memory)

# What the F12 hook costs a program that is only typed into (tools/bench.sh).
add_executable(hook_cost_benchmark tests/bench/hook_cost_benchmark.cpp ${CORVANE_UI_TEST_SUPPORT})
target_include_directories(hook_cost_benchmark PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(hook_cost_benchmark PRIVATE corvane_host_support corvane_band_hosting comctl32
                      GTest::gtest)
target_link_options(hook_cost_benchmark PRIVATE ${CORVANE_WIDE_MAIN_OPTIONS})
add_dependencies(hook_cost_benchmark corvane)
add_library(null_hook SHARED tests/bench/null_hook.cpp tests/bench/null_hook.def)
set_target_properties(null_hook PROPERTIES PREFIX "")
if(NOT MSVC AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(null_hook PRIVATE -Wl,--enable-stdcall-fixup)
  target_link_options(work_area_hook PRIVATE -Wl,--enable-stdcall-fixup)
endif()
add_dependencies(hook_cost_benchmark null_hook)
