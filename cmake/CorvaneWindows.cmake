# Windows build: the DLL, the host program, and (with BUILD_TESTING) the
# tests that run under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        WINVER=0x0601 _WIN32_WINNT=0x0601)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The DLL is loaded into every process that gets a keystroke while the band
# is shown: small, no exceptions, no RTTI, nothing unused, and no runtime
# DLL a user's machine lacks.
if(MSVC)
  add_compile_options(/W4 /utf-8)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  set(CORVANE_PRODUCT_COMPILE_OPTIONS /O1 /GR- /EHs-c- /Gy)
  set(CORVANE_PRODUCT_LINK_OPTIONS /OPT:REF /OPT:ICF)
  set(CORVANE_WIDE_MAIN_OPTIONS "")
  set(CORVANE_PROGRAM_LINK_OPTIONS /OPT:REF /OPT:ICF)
else()
  add_compile_options(-Wall -Wextra)
  # Failure traces name a source file as the tree does, not where it was built.
  add_compile_options(-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)
  set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static")
  set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -static")
  # No -fdata-sections: with it mingw's GCC moves zero-filled storage (the
  # string cache) from .bss into the file.
  set(CORVANE_PRODUCT_COMPILE_OPTIONS
    -Os -ffunction-sections -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables)
  # DllMain is the entry itself: the module has no static constructors, no
  # thread-local data and no atexit work, and mingw's start-up code would add
  # writable sections (.CRT, .tls) to every process the hook reaches.
  set(CORVANE_PRODUCT_LINK_OPTIONS -s -Wl,--gc-sections -nostartfiles)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND CORVANE_PRODUCT_LINK_OPTIONS -Wl,--entry,_DllMain@12)
  else()
    list(APPEND CORVANE_PRODUCT_LINK_OPTIONS -Wl,--entry,DllMain)
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # The .def names the entries undecorated; let the linker map them to the
    # stdcall symbols without a warning.
    list(APPEND CORVANE_PRODUCT_LINK_OPTIONS -Wl,--enable-stdcall-fixup)
  endif()
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # clang ignores the "shared" section attribute; lld marks it instead.
    list(APPEND CORVANE_PRODUCT_LINK_OPTIONS "SHELL:-Xlinker -Xlink=/section:.shared,RWS")
  endif()
  set(CORVANE_WIDE_MAIN_OPTIONS -municode)
  set(CORVANE_PROGRAM_LINK_OPTIONS -s -Wl,--gc-sections)
endif()

add_library(corvane_win STATIC
  search/default_browser.cpp
  search/engine_layers.cpp
  search/home_page.cpp
  search/launch_thread.cpp
  search/launch_web_search.cpp
  search/recent_search_store.cpp
  search/select_search_domain.cpp
  search/user_engines.cpp
)
target_link_libraries(corvane_win PUBLIC corvane_pure corvane_module shell32 advapi32 ole32)

# Module-wide values, string resources, the settings store (the band's and,
# in Corvane.exe, the program's), the hook's shared words and its session's
# list of targets.
add_library(corvane_module STATIC
  support/failure_trace.cpp
  support/localized_text.cpp
  support/module_state.cpp
  support/module_thread.cpp
  support/resource_strings.cpp
  support/settings_change.cpp
  support/settings_store.cpp
  support/system_library.cpp
  support/ui_module.cpp
  support/session_bands.cpp
  ui/shared_hook_state.cpp
)
target_include_directories(corvane_module PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(corvane_module PUBLIC corvane_pure corvane_memory advapi32 user32)

# The band: its object and interfaces, its window and controls.
add_library(corvane_band STATIC
  band/context_menu.cpp
  band/search_band.cpp
  band/shell_interfaces.cpp
  ui/accessible_answer.cpp
  ui/band_accessibility.cpp
  ui/band_lookup.cpp
  ui/band_window.cpp
  ui/box_click.cpp
  ui/clipboard_search.cpp
  ui/colour_mode.cpp
  ui/focus_key_hook.cpp
  ui/focus_key_binding.cpp
  ui/go_button.cpp
  ui/go_button_images.cpp
  ui/monitor_in_front.cpp
  ui/own_window_class.cpp
  ui/query_submission.cpp
  ui/search_box.cpp
  ui/search_hint.cpp
  ui/window_dpi.cpp
)
target_link_libraries(corvane_band PUBLIC corvane_module corvane_win gdi32 user32 uuid)

foreach(lib corvane_pure corvane_memory corvane_win corvane_module corvane_band)
  target_compile_options(${lib} PRIVATE ${CORVANE_PRODUCT_COMPILE_OPTIONS})
endforeach()

# The manifest names the processor architecture of the build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CORVANE_MANIFEST_ARCH amd64)
else()
  set(CORVANE_MANIFEST_ARCH X86)
endif()
configure_file(res/corvane.manifest.in ${CMAKE_BINARY_DIR}/res/corvane.manifest @ONLY)

# Exported by name, and nothing else.
set(CORVANE_DLL_EXPORTS DllCanUnloadNow DllGetClassObject DllRegisterServer
    DllUnregisterServer)

# CORVANE.DLL from the band's libraries; `extra` sources come first.
function(corvane_add_band_module target)
  add_library(${target} SHARED ${ARGN}
    ${PROJECT_SOURCE_DIR}/module/class_factory.cpp
    ${PROJECT_SOURCE_DIR}/module/dll_main.cpp
    ${PROJECT_SOURCE_DIR}/module/self_registration.cpp
    ${PROJECT_SOURCE_DIR}/module/corvane.def
    ${PROJECT_SOURCE_DIR}/res/corvane.rc
  )
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/res ${PROJECT_BINARY_DIR}/res)
  target_link_libraries(${target} PRIVATE corvane_band corvane_memory ole32)
  if(NOT MSVC)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/module/runtime_support.cpp)
  endif()
  target_compile_options(${target} PRIVATE ${CORVANE_PRODUCT_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${CORVANE_PRODUCT_LINK_OPTIONS})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME "CORVANE" SUFFIX ".DLL")
  if(NOT MSVC)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/read-only-resources.sh $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
endfunction()

# CORVANEUI.DLL, beside CORVANE.DLL: what only the process that shows the
# band loads.
add_library(corvane_ui SHARED
  module/ui_module_main.cpp
  module/corvane_ui.def
  res/corvane_ui.rc
  search/suggestion_fetch.cpp
  search/suggestion_http.cpp
  search/suggestion_request.cpp
  ui/accessible_window.cpp
  ui/annotated_name.cpp
  ui/box_menu.cpp
  ui/clipboard_query.cpp
  ui/suggestion_list.cpp
  ui/typing_suggestions.cpp
)
target_include_directories(corvane_ui PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res
                           ${CMAKE_BINARY_DIR}/res)
target_link_libraries(corvane_ui PRIVATE corvane_band corvane_win corvane_module corvane_pure
                      corvane_memory ole32 user32)
if(NOT MSVC)
  target_sources(corvane_ui PRIVATE module/runtime_support.cpp)
endif()
target_compile_options(corvane_ui PRIVATE ${CORVANE_PRODUCT_COMPILE_OPTIONS})
target_link_options(corvane_ui PRIVATE ${CORVANE_PRODUCT_LINK_OPTIONS})
set_target_properties(corvane_ui PROPERTIES PREFIX "" OUTPUT_NAME "CORVANEUI" SUFFIX ".DLL")
set_source_files_properties(res/corvane_ui.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/resource_ids.h;${CMAKE_SOURCE_DIR}/res/product.h;${CMAKE_BINARY_DIR}/res/product_version.h")
if(NOT MSVC)
  add_custom_command(TARGET corvane_ui POST_BUILD
    COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/read-only-resources.sh $<TARGET_FILE:corvane_ui>
    VERBATIM)
endif()

set_source_files_properties(res/corvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/go_normal.bmp;${CMAKE_SOURCE_DIR}/res/go_active.bmp;${CMAKE_BINARY_DIR}/res/corvane.manifest;${CMAKE_SOURCE_DIR}/res/resource_ids.h;${CMAKE_SOURCE_DIR}/res/product.h;${CMAKE_BINARY_DIR}/res/product_version.h")
corvane_add_band_module(corvane)

# Hosting the band as the taskbar does, for Corvane.exe and the tests.
add_library(corvane_band_hosting STATIC program/band_site.cpp program/hosted_band.cpp)
target_include_directories(corvane_band_hosting PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(corvane_band_hosting PUBLIC ole32 uuid)

# Corvane.exe: the band in a strip of its own, where the taskbar hosts no
# toolbars.
configure_file(program/corvane_program.manifest.in
               ${CMAKE_BINARY_DIR}/program/corvane_program.manifest @ONLY)
add_executable(corvane_program WIN32
  program/band_loading.cpp
  program/engine_columns.cpp
  program/engine_settings.cpp
  program/hidden_focus_key.cpp
  program/key_field.cpp
  program/main.cpp
  program/notification_icon.cpp
  program/program_menu.cpp
  program/program_settings.cpp
  program/program_texts.cpp
  program/program_window_class.cpp
  program/reserved_row.cpp
  program/screen_areas.cpp
  program/settings_window.cpp
  program/single_instance.cpp
  program/strip_set.cpp
  program/strip_window.cpp
  program/corvane_program.rc
  ui/accessible_window.cpp
  ui/box_click.cpp
  ui/colour_mode.cpp
  ui/monitor_in_front.cpp
  ui/window_dpi.cpp
)
target_include_directories(corvane_program PRIVATE ${CMAKE_SOURCE_DIR}/program ${CMAKE_SOURCE_DIR}/res
                           ${CMAKE_BINARY_DIR}/program ${CMAKE_BINARY_DIR}/res)
file(GLOB CORVANE_PROGRAM_LANGUAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/program/languages/*.rc)
set_source_files_properties(program/corvane_program.rc PROPERTIES OBJECT_DEPENDS
  "${CORVANE_PROGRAM_LANGUAGES};${CMAKE_SOURCE_DIR}/program/settings_dialog.rch;${CMAKE_BINARY_DIR}/program/corvane_program.manifest;${CMAKE_SOURCE_DIR}/program/program_resource_ids.h;${CMAKE_SOURCE_DIR}/program/corvane.ico;${CMAKE_SOURCE_DIR}/res/product.h;${CMAKE_BINARY_DIR}/res/product_version.h")
target_link_libraries(corvane_program PRIVATE corvane_band_hosting corvane_win corvane_module corvane_pure advapi32
                      comctl32 gdi32 shell32 user32)
target_compile_options(corvane_program PRIVATE ${CORVANE_PRODUCT_COMPILE_OPTIONS})
target_link_options(corvane_program PRIVATE ${CORVANE_WIDE_MAIN_OPTIONS} ${CORVANE_PROGRAM_LINK_OPTIONS})
set_target_properties(corvane_program PROPERTIES OUTPUT_NAME "Corvane")
add_dependencies(corvane_program corvane corvane_ui)

# The MSI packages' own actions (installer/corvane.wxs): in their Binary
# table, never installed.
add_library(corvane_package_actions SHARED installer/package_actions.cpp
            installer/package_actions.def)
target_include_directories(corvane_package_actions PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(corvane_package_actions PRIVATE msi user32)
target_compile_options(corvane_package_actions PRIVATE ${CORVANE_PRODUCT_COMPILE_OPTIONS})
target_link_options(corvane_package_actions PRIVATE ${CORVANE_PROGRAM_LINK_OPTIONS})
if(NOT MSVC AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def names the entry undecorated.
  target_link_options(corvane_package_actions PRIVATE -Wl,--enable-stdcall-fixup)
endif()
set_target_properties(corvane_package_actions PROPERTIES PREFIX "" OUTPUT_NAME "package_actions")

# What the release ships, built alone by tools/dist.sh. It carries the
# commit's time in its header instead of the time it was linked
# (tools/build.sh passes it), so that a commit links to the same bytes
# wherever and whenever it is built; the launcher puts the time into the
# link command, so that a new commit links them again.
set(CORVANE_SHIPPED_TARGETS corvane corvane_ui corvane_program corvane_package_actions)
add_custom_target(corvane_shipped DEPENDS ${CORVANE_SHIPPED_TARGETS})
set(CORVANE_SOURCE_DATE_EPOCH "" CACHE STRING
    "The time, in seconds since 1970, that the shipped programs' headers carry")
if(CORVANE_SOURCE_DATE_EPOCH AND NOT CORVANE_SOURCE_DATE_EPOCH MATCHES "^[1-9][0-9]*$")
  message(FATAL_ERROR "CORVANE_SOURCE_DATE_EPOCH must be a positive number of seconds, "
                      "not '${CORVANE_SOURCE_DATE_EPOCH}'")
endif()
if(CORVANE_SOURCE_DATE_EPOCH AND NOT MSVC)
  set_target_properties(${CORVANE_SHIPPED_TARGETS} PROPERTIES
    CXX_LINKER_LAUNCHER "env;SOURCE_DATE_EPOCH=${CORVANE_SOURCE_DATE_EPOCH}")
endif()
