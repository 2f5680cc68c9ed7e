#include "support/bounded_string.h"

namespace corvane {
namespace {

Result CopyUnits(char16_t* dest, std::size_t capacity, const char16_t* src, std::size_t maxSource) {
  if (dest == nullptr || capacity == 0 || capacity > kMaxBoundedCount) return kResultInvalidArg;
  if (src == nullptr) {
    dest[0] = 0;
    return kResultInvalidArg;
  }
  std::size_t copied = 0;
  while (copied < capacity && copied < maxSource && src[copied] != 0) {
    dest[copied] = src[copied];
    ++copied;
  }
  if (copied == capacity) {
    dest[capacity - 1] = 0;
    return kResultInsufficientBuffer;
  }
  dest[copied] = 0;
  return kResultOk;
}

// Collects formatted units into at most `limit` units of the buffer.
class FormatWriter {
 public:
  FormatWriter(char16_t* dest, std::size_t limit) : dest(dest), limit(limit) {}

  bool Put(char16_t unit) {
    if (length == limit) {
      overflowed = true;
      return false;
    }
    dest[length++] = unit;
    return true;
  }
  bool PutRepeated(char16_t unit, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
      if (!Put(unit)) return false;
    return true;
  }
  bool PutText(const char16_t* text, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
      if (!Put(text[i])) return false;
    return true;
  }
  std::size_t Length() const { return length; }
  bool Overflowed() const { return overflowed; }

 private:
  char16_t* dest;
  std::size_t limit;
  std::size_t length = 0;
  bool overflowed = false;
};

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// Runs the format through the writer. False on a formatting error; an
// overflow stops the run early but is not an error of the format.
bool RunFormat(FormatWriter& out, const char16_t* format, FormatArgs args) {
  std::size_t nextArg = 0;
  for (const char16_t* p = format; *p != 0; ++p) {
    if (*p != u'%') {
      if (!out.Put(*p)) return true;
      continue;
    }
    ++p;
    if (*p == u'%') {
      if (!out.Put(u'%')) return true;
      continue;
    }
    std::size_t width = 0;
    for (; IsDigit(*p); ++p) {
      width = width * 10 + static_cast<std::size_t>(*p - u'0');
      if (width > kMaxBoundedCount) return false;
    }
    if (*p != u's') return false;
    if (nextArg >= args.count || args.items[nextArg] == nullptr) return false;
    const char16_t* text = args.items[nextArg++];
    std::size_t length = BoundedLength(text, kMaxBoundedCount);
    if (width > length && !out.PutRepeated(u' ', width - length)) return true;
    if (!out.PutText(text, length)) return true;
  }
  return true;
}

}  // namespace

Result BoundedCopy(char16_t* dest, std::size_t capacity, const char16_t* src) {
  return CopyUnits(dest, capacity, src, kMaxBoundedCount);
}

Result BoundedCopyN(char16_t* dest, std::size_t capacity, const char16_t* src,
                    std::size_t maxSource) {
  return CopyUnits(dest, capacity, src, maxSource);
}

std::size_t BoundedLength(const char16_t* text, std::size_t limit) {
  std::size_t length = 0;
  while (length < limit && text[length] != 0) ++length;
  return length;
}

bool BoundedAppend(char16_t* dest, std::size_t capacity, const char16_t* src,
                   std::size_t maxSource) {
  std::size_t used = BoundedLength(dest, capacity);
  if (used == capacity) return false;
  return BoundedCopyN(dest + used, capacity - used, src, maxSource) == kResultOk;
}

Result BoundedFormatArgs(char16_t* dest, std::size_t capacity, const char16_t* format,
                         FormatArgs args) {
  if (capacity == 0) return kResultInvalidArg;
  return BoundedFormatExArgs(dest, capacity, nullptr, nullptr, 0, format, args);
}

Result BoundedFormatExArgs(char16_t* dest, std::size_t capacity, char16_t** end,
                           std::size_t* remaining, unsigned long flags, const char16_t* format,
                           FormatArgs args) {
  if ((flags & ~0x1FFFul) != 0 || capacity > kMaxBoundedCount || format == nullptr ||
      (dest == nullptr && capacity != 0))
    return kResultInvalidArg;
  if (capacity == 0) {
    if (end != nullptr) *end = dest;
    if (remaining != nullptr) *remaining = 0;
    return *format == 0 ? kResultOk : kResultInsufficientBuffer;
  }
  FormatWriter out(dest, capacity - 1);
  bool wellFormed = RunFormat(out, format, args);
  dest[out.Length()] = 0;
  if (!wellFormed || out.Overflowed()) {
    dest[capacity - 1] = 0;
    if (end != nullptr) *end = dest + capacity - 1;
    if (remaining != nullptr) *remaining = 1;
    return kResultInsufficientBuffer;
  }
  if (end != nullptr) *end = dest + out.Length();
  if (remaining != nullptr) *remaining = capacity - out.Length();
  return kResultOk;
}

}  // namespace corvane
