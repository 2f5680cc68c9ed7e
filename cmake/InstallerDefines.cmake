# Writes setup's include of defines from the names and ids the C++ code
# shares (res/product.h, res/resource_ids.h) and the project's version, so
# that the installer script repeats none of them:
#   #define CORVANE_NAME "text"                          -> !define NAME "text"
#   inline constexpr wchar_t kSomeName[] = L"text";      -> !define SOME_NAME "text"
#   #define IDS_NAME 123                                 -> !define IDS_NAME 123
function(corvane_write_installer_defines output)
  set(defines "; Written by the build from res/product.h and res/resource_ids.h.\n")
  string(APPEND defines "!define VERSION \"${PROJECT_VERSION}\"\n")
  # A declaration that the formatter wrapped after its "=" counts as one line.
  file(READ ${PROJECT_SOURCE_DIR}/res/product.h product)
  string(REGEX REPLACE "=\n +L\"" "= L\"" product "${product}")
  string(REPLACE ";" "\\;" product "${product}")
  string(REPLACE "\n" ";" productLines "${product}")
  foreach(line IN LISTS productLines)
    if(line MATCHES "^#define CORVANE_([A-Z_]+) \"(.*)\"$")
      set(name ${CMAKE_MATCH_1})
      set(text "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^inline constexpr wchar_t k([A-Za-z]+)\\[\\] = L\"(.*)\";$")
      set(text "${CMAKE_MATCH_2}")
      string(REGEX REPLACE "([a-z])([A-Z])" "\\1_\\2" name "${CMAKE_MATCH_1}")
      string(TOUPPER "${name}" name)
    else()
      continue()
    endif()
    string(REPLACE "\\\\" "\\" text "${text}")
    string(APPEND defines "!define ${name} \"${text}\"\n")
  endforeach()
  file(STRINGS ${PROJECT_SOURCE_DIR}/res/resource_ids.h idLines REGEX "^#define IDS_[A-Z_]+ [0-9]+$")
  foreach(line IN LISTS idLines)
    string(REGEX REPLACE "^#define ([A-Z_]+) ([0-9]+)$" "!define \\1 \\2\n" define "${line}")
    string(APPEND defines "${define}")
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT "${defines}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/res/product.h ${PROJECT_SOURCE_DIR}/res/resource_ids.h)
endfunction()
