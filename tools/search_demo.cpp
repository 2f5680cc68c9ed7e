// Searches the web for the words on its command line the way the band does
// when Enter is pressed, and prints the address it opened.
#include <windows.h>

#include <cstdio>

#include "search/launch_web_search.h"
#include "support/memory.h"

namespace {

void PrintLine(const wchar_t* text) {
  char* utf8 = nullptr;
  if (corvane::ToUtf8(text, &utf8)) std::printf("%s\n", utf8);
  corvane::FreeMemory(utf8);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  static wchar_t query[8192];
  size_t used = 0;
  for (int i = 1; i < argc; ++i) {
    for (const wchar_t* p = argv[i]; *p != 0 && used + 2 < 8192; ++p)
      query[used++] = *p;
    if (i + 1 < argc && used + 2 < 8192) query[used++] = L' ';
  }
  wchar_t* address = corvane::SearchAddressFor(query);
  int result = corvane::LaunchWebSearch(nullptr, query, 1);
  switch (result) {
    case corvane::kLaunchOpened:
      std::printf("opened: ");
      std::fflush(stdout);
      PrintLine(address);
      break;
    case corvane::kLaunchNothingToSearch:
      std::printf("nothing to search for\n");
      break;
    default:
      std::printf("the search could not be opened\n");
  }
  corvane::FreeMemory(address);
  return result == corvane::kLaunchOpened ? 0 : 1;
}
