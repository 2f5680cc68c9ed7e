#include "support/ascii_text.h"

namespace corvane {

bool StartsWithIgnoringAsciiCase(const char16_t* text, const char16_t* prefix, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (FoldAscii(text[i]) != FoldAscii(prefix[i])) return false;
    if (text[i] == 0) return true;  // both ended together before count
  }
  return true;
}

bool EqualsIgnoringAsciiCase(const char16_t* a, const char16_t* b) {
  for (;; ++a, ++b) {
    if (FoldAscii(*a) != FoldAscii(*b)) return false;
    if (*a == 0) return true;
  }
}

}  // namespace corvane
