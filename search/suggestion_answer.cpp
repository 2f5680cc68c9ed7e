#include "search/suggestion_answer.h"

#include <cstdint>

namespace corvane {
namespace {

// Deeper nesting than this, inside the suggestions array, is refused.
constexpr int kMaxDepth = 16;

// Characters a suggestion never shows: controls, and those that reorder or
// break the text around them.
bool IsLeftOut(std::uint32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

// One decoded JSON string, as UTF-16 of at most kMaxSuggestionLength units.
struct DecodedText {
  char16_t units[kMaxSuggestionLength];
  std::size_t count = 0;
  bool usable = true;  // valid UTF-8 and short enough

  void Put(std::uint32_t c) {
    if (IsLeftOut(c)) return;
    std::size_t needed = c >= 0x10000 ? 2 : 1;
    if (count + needed > kMaxSuggestionLength) {
      usable = false;
      return;
    }
    if (needed == 2) {
      units[count++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units[count++] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units[count++] = static_cast<char16_t>(c);
    }
  }
};

class AnswerReader {
 public:
  AnswerReader(const char* data, std::size_t size)
      : at_(reinterpret_cast<const unsigned char*>(data)), end_(at_ + size) {}

  bool Read(SuggestionRows* rows) {
    static const unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    if (end_ - at_ >= 3 && at_[0] == kByteOrderMark[0] && at_[1] == kByteOrderMark[1] &&
        at_[2] == kByteOrderMark[2])
      at_ += 3;
    DecodedText query;
    if (!Take('[') || !String(&query) || !Take(',') || !Take('[')) return false;
    if (Take(']')) return true;
    do {
      if (Peek() == '"') {
        DecodedText text;
        if (!String(&text)) return false;
        if (text.usable) AddSuggestionRow(rows, u"", 0, text.units, text.count, false);
      } else if (!Skip(1)) {
        return false;
      }
    } while (Take(','));
    return Take(']');
  }

 private:
  int Peek() {
    while (at_ < end_ && (*at_ == ' ' || *at_ == '\t' || *at_ == '\n' || *at_ == '\r')) ++at_;
    return at_ < end_ ? *at_ : -1;
  }

  bool Take(char c) {
    if (Peek() != static_cast<unsigned char>(c)) return false;
    ++at_;
    return true;
  }

  // Four hex digits of a \u escape.
  bool Hex4(std::uint32_t* value) {
    if (end_ - at_ < 4) return false;
    *value = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      unsigned char c = *at_;
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0) return false;
      *value = *value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  }

  // After the backslash. false for a malformed escape; an unpaired surrogate
  // only makes the text unusable.
  bool Escape(DecodedText* text) {
    if (at_ >= end_) return false;
    unsigned char c = *at_++;
    static const char kSimple[] = "\"\"\\\\//b\bf\fn\nr\rt\t";
    for (int i = 0; kSimple[i] != 0; i += 2)
      if (c == static_cast<unsigned char>(kSimple[i])) {
        text->Put(static_cast<unsigned char>(kSimple[i + 1]));
        return true;
      }
    std::uint32_t unit = 0;
    if (c != 'u' || !Hex4(&unit)) return false;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      text->usable = false;
    } else if (unit >= 0xD800 && unit <= 0xDBFF) {
      std::uint32_t low = 0;
      if (end_ - at_ < 2 || at_[0] != '\\' || at_[1] != 'u') {
        text->usable = false;
        return true;
      }
      at_ += 2;
      if (!Hex4(&low)) return false;
      if (low < 0xDC00 || low > 0xDFFF) {
        text->usable = false;
        return true;
      }
      text->Put(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else {
      text->Put(unit);
    }
    return true;
  }

  // One UTF-8 sequence starting at the lead byte `lead` (already taken);
  // invalid ones make the text unusable and are passed over byte by byte.
  void Utf8Sequence(unsigned char lead, DecodedText* text) {
    int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    std::uint32_t c = lead & (0x3F >> more);
    static const std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (lead < 0xC2 || lead > 0xF4 || end_ - at_ < more) {
      text->usable = false;
      return;
    }
    for (int i = 0; i < more; ++i) {
      if ((at_[i] & 0xC0) != 0x80) {
        text->usable = false;
        return;
      }
      c = (c << 6) | (at_[i] & 0x3F);
    }
    at_ += more;
    if (c < kSmallest[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      text->usable = false;
      return;
    }
    text->Put(c);
  }

  bool String(DecodedText* text) {
    if (!Take('"')) return false;
    while (at_ < end_) {
      unsigned char c = *at_++;
      if (c == '"') return true;
      if (c == '\\') {
        if (!Escape(text)) return false;
      } else if (c < 0x80) {
        text->Put(c);
      } else {
        Utf8Sequence(c, text);
      }
    }
    return false;
  }

  // Any other JSON value, read and forgotten.
  bool Skip(int depth) {
    if (depth > kMaxDepth) return false;
    int c = Peek();
    if (c == '"') {
      DecodedText ignored;
      return String(&ignored);
    }
    if (c == '[' || c == '{') {
      const char close = c == '[' ? ']' : '}';
      ++at_;
      if (Take(close)) return true;
      do {
        if (close == '}' && (!Skip(depth + 1) || !Take(':'))) return false;
        if (!Skip(depth + 1)) return false;
      } while (Take(','));
      return Take(close);
    }
    const unsigned char* start = at_;
    while (at_ < end_ && ((*at_ >= '0' && *at_ <= '9') || (*at_ >= 'a' && *at_ <= 'z') ||
                          *at_ == '-' || *at_ == '+' || *at_ == '.' || *at_ == 'E'))
      ++at_;
    return at_ != start;
  }

  const unsigned char* at_;
  const unsigned char* const end_;
};

}  // namespace

bool ParseSuggestionAnswer(const char* data, std::size_t size, SuggestionRows* rows) {
  rows->count = 0;
  if (data == nullptr) return false;
  if (AnswerReader(data, size).Read(rows)) return true;
  rows->count = 0;
  return false;
}

}  // namespace corvane
