// Any answer either has the format's shape or gives no rows; every row read
// is a short, terminated, distinct text without control characters or
// lone surrogates.
#include <cstdint>
#include <cstdlib>

#include "search/suggestion_answer.h"
#include "support/ascii_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  corvane::SuggestionRows rows;
  rows.count = 99;
  bool shaped = corvane::ParseSuggestionAnswer(reinterpret_cast<const char*>(data), size, &rows);
  if (rows.count > corvane::kMaxSuggestionRows || (!shaped && rows.count != 0)) std::abort();
  for (std::size_t i = 0; i < rows.count; ++i) {
    const char16_t* text = rows.rows[i].text;
    std::size_t units = 0;
    for (; units <= corvane::kMaxSuggestionLength && text[units] != 0; ++units) {
      char16_t unit = text[units];
      bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
      if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || rows.rows[i].recent) std::abort();
      if (high && !(text[units + 1] >= 0xDC00 && text[units + 1] <= 0xDFFF)) std::abort();
      if (low && (units == 0 || !(text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF)))
        std::abort();
    }
    if (units == 0 || units > corvane::kMaxSuggestionLength) std::abort();
    for (std::size_t j = 0; j < i; ++j)
      if (corvane::EqualsIgnoringAsciiCase(rows.rows[j].text, text)) std::abort();
  }
  return 0;
}
