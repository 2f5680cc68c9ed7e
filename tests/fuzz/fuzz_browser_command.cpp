// Command lines of any shape: the token never outgrows its buffer and the
// file name lies inside the token.
#include <cstdlib>

#include "search/browser_command.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string line = corvane::fuzzing::Units(data, size);
  char16_t token[64];
  std::size_t nameStart = 0;
  if (corvane::FirstCommandToken(line.c_str(), token, 64, &nameStart)) {
    std::size_t length = 0;
    while (token[length] != 0) ++length;
    if (length >= 64 || nameStart > length) std::abort();
  }
  corvane::BrowserKindFromCommandLine(line.c_str());
  return 0;
}
