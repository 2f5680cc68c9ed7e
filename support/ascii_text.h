// Case-insensitive comparison that folds only the ASCII letters A to Z, the
// way registry paths, host names and executable names are compared here.
#pragma once
#include <cstddef>

namespace corvane {

constexpr char16_t FoldAscii(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
}

// True when the first `count` units of text equal those of prefix (a shorter
// text never matches: its terminator differs from the prefix's unit).
bool StartsWithIgnoringAsciiCase(const char16_t* text, const char16_t* prefix, std::size_t count);
bool EqualsIgnoringAsciiCase(const char16_t* a, const char16_t* b);

}  // namespace corvane
