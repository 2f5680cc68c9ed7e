# Writes the names, ids and version that the C++ code shares (res/product.h,
# res/resource_ids.h, the project's version, and the band's display name
# from the string table) for the scripts that cannot include a header:
# setup's NSIS include and the end-to-end tests' shell include. Each line of
# these forms gives one define:
#   #define CORVANE_NAME "text"                          -> NAME
#   inline constexpr wchar_t kSomeName[] = L"text";      -> SOME_NAME
#   #define IDS_NAME 123                                 -> IDS_NAME
#   IDS_DISPLAY_NAME "text" (string table)               -> BAND_DISPLAY_NAME
function(corvane_write_product_defines nsisOutput shellOutput)
  set(names VERSION)
  set(texts "${PROJECT_VERSION}")
  # A declaration that the formatter wrapped after its "=" counts as one line.
  file(READ ${PROJECT_SOURCE_DIR}/res/product.h product)
  string(REGEX REPLACE "=\n +L\"" "= L\"" product "${product}")
  string(REPLACE ";" "\\;" product "${product}")
  string(REPLACE "\n" ";" productLines "${product}")
  file(STRINGS ${PROJECT_SOURCE_DIR}/res/resource_ids.h idLines REGEX "^#define IDS_[A-Z_]+ [0-9]+$")
  file(STRINGS ${PROJECT_SOURCE_DIR}/res/corvane.rc nameLines REGEX "^  IDS_DISPLAY_NAME " ENCODING UTF-8)
  foreach(line IN LISTS productLines idLines nameLines)
    if(line MATCHES "^#define CORVANE_([A-Z_]+) \"(.*)\"$")
      set(name ${CMAKE_MATCH_1})
      set(text "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^inline constexpr wchar_t k([A-Za-z]+)\\[\\] = L\"(.*)\";$")
      set(text "${CMAKE_MATCH_2}")
      string(REGEX REPLACE "([a-z])([A-Z])" "\\1_\\2" name "${CMAKE_MATCH_1}")
      string(TOUPPER "${name}" name)
    elseif(line MATCHES "^#define (IDS_[A-Z_]+) ([0-9]+)$")
      set(name ${CMAKE_MATCH_1})
      set(text ${CMAKE_MATCH_2})
    elseif(line MATCHES "^  IDS_DISPLAY_NAME \"(.*)\"$")
      set(name BAND_DISPLAY_NAME)  # the name registration gives the class
      set(text "${CMAKE_MATCH_1}")
    else()
      continue()
    endif()
    string(REPLACE "\\\\" "\\" text "${text}")
    list(APPEND names ${name})
    list(APPEND texts "${text}")
  endforeach()

  set(nsis "; Written by the build from res/product.h, res/resource_ids.h and res/corvane.rc.\n")
  set(shell "# Written by the build from res/product.h, res/resource_ids.h and res/corvane.rc.\n")
  foreach(name text IN ZIP_LISTS names texts)
    if(text MATCHES "^[0-9]+$")  # an id, as a number
      string(APPEND nsis "!define ${name} ${text}\n")
    else()
      string(APPEND nsis "!define ${name} \"${text}\"\n")
    endif()
    string(APPEND shell "${name}='${text}'\n")
  endforeach()
  file(CONFIGURE OUTPUT ${nsisOutput} CONTENT "${nsis}" @ONLY)
  file(CONFIGURE OUTPUT ${shellOutput} CONTENT "${shell}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/product.h
               ${PROJECT_SOURCE_DIR}/res/resource_ids.h ${PROJECT_SOURCE_DIR}/res/corvane.rc)
endfunction()
