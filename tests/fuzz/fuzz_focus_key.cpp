// Any text reads as a key or as refused, with or without the names of a
// language (the input's first half taken as those names), and every key read
// is written back as a text that reads as the same key.
#include <cstdlib>

#include "support/focus_key.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text = corvane::fuzzing::Units(data, size);
  const std::u16string names = text.substr(0, text.size() / 2);
  corvane::ParseFocusKey(text.c_str() + names.size(), names.c_str());
  corvane::FocusKey key = corvane::ParseFocusKey(text.c_str());
  char16_t written[40] = {};
  bool formatted = corvane::FormatFocusKey(key, written, 40);
  if (formatted != (key.kind != corvane::FocusKeyKind::kInvalid)) std::abort();
  if (formatted && corvane::ParseFocusKey(written) != key) std::abort();
  return 0;
}
