// Preferences files of any shape: a found home page holds no byte <= 32.
#include <cstdlib>

#include "search/prefs_file.h"
#include "support/memory.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string file = corvane::fuzzing::Bytes(data, size);
  char16_t* page = corvane::HomePageFromPrefs(file.c_str());
  for (char16_t* p = page; p != nullptr && *p != 0; ++p)
    if (*p <= 32 || *p > 0xFF) std::abort();
  corvane::FreeMemory(page);
  return 0;
}
