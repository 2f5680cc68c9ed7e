// Any copied text becomes one line: within the limit, terminated, without
// control characters, runs of spaces or spaces at its ends.
#include <cstdlib>

#include "search/pasted_query.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = corvane::fuzzing::Units(data, size);
  const std::size_t limit = size == 0 ? 0 : data[0] % 64;
  std::u16string query(limit + 1, u'#');
  const std::size_t units = corvane::PastedQuery(text.c_str(), text.size(), &query[0], limit);
  if (units > limit || query[units] != u'\0') std::abort();
  for (std::size_t at = 0; at < units; ++at) {
    const char16_t unit = query[at];
    if (unit < 0x20 || unit == 0x2028 || unit == 0x2029) std::abort();
    if (unit == u' ' && (at == 0 || at + 1 == units || query[at + 1] == u' ')) std::abort();
  }
  return 0;
}
