#include "search/pasted_query.h"

namespace corvane {
namespace {

// Breaks a line or a column: C0 and C1 controls, DEL, and Unicode's line and
// paragraph separators.
bool BreaksLine(char16_t unit) {
  return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || unit == 0x2028 || unit == 0x2029;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::size_t PastedQuery(const char16_t* text, std::size_t length, char16_t* query,
                        std::size_t limit) {
  std::size_t written = 0;
  bool spaceWaiting = false;  // held back until a character follows it
  for (std::size_t at = 0; at < length && text[at] != u'\0'; ++at) {
    const char16_t unit = BreaksLine(text[at]) ? u' ' : text[at];
    if (unit == u' ') {
      spaceWaiting = written > 0;
      continue;
    }
    const bool pair = IsHighSurrogate(unit) && at + 1 < length && IsLowSurrogate(text[at + 1]);
    const std::size_t needed = (spaceWaiting ? 1 : 0) + (pair ? 2 : 1);
    if (written + needed > limit) break;
    if (spaceWaiting) query[written++] = u' ';
    spaceWaiting = false;
    query[written++] = unit;
    if (pair) query[written++] = text[++at];
  }
  query[written] = u'\0';
  return written;
}

}  // namespace corvane
