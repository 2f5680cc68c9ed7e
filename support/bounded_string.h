// Copying and formatting into buffers of fixed capacity. Nothing here ever
// writes past the capacity it is given, and every successful result is
// terminated.
#pragma once
#include <cstddef>

#include "support/result_codes.h"

namespace corvane {

// Copies src until its terminator or a full buffer. A source of n units is
// copied whole exactly when n <= capacity - 1; otherwise the buffer holds the
// first capacity - 1 units, terminated, and the result is
// kResultInsufficientBuffer. Capacity 0 (or above kMaxBoundedCount) writes
// nothing and returns kResultInvalidArg.
Result BoundedCopy(char16_t* dest, std::size_t capacity, const char16_t* src);
// As above, taking at most maxSource units from src.
Result BoundedCopyN(char16_t* dest, std::size_t capacity, const char16_t* src,
                    std::size_t maxSource);

// Appends src behind the text already in dest. The text's end must lie within
// capacity; false when it does not or when src does not fit whole.
bool BoundedAppend(char16_t* dest, std::size_t capacity, const char16_t* src,
                   std::size_t maxSource = kMaxBoundedCount);

// Number of units before the terminator, looking at most at `limit` units;
// returns limit when no terminator lies within them.
std::size_t BoundedLength(const char16_t* text, std::size_t limit);

// ---- BoundedFormat --------------------------------------------------------
// Knows only "%s", "%Ns" (right-aligned in a field of N units) and "%%".
// Any other directive, a missing or null argument, is a formatting error.

struct FormatArgs {
  const char16_t* const* items;
  std::size_t count;
};

Result BoundedFormatArgs(char16_t* dest, std::size_t capacity, const char16_t* format,
                         FormatArgs args);

// Extended form. Flags with a bit outside 0x1FFF are refused. On success
// *end points at the terminator written and *remaining is capacity minus the
// text's length; on kResultInsufficientBuffer they are the last unit and 1.
// Either address may be null.
Result BoundedFormatExArgs(char16_t* dest, std::size_t capacity, char16_t** end,
                           std::size_t* remaining, unsigned long flags, const char16_t* format,
                           FormatArgs args);

namespace detail {
inline const char16_t* AsFormatArg(const char16_t* text) { return text; }
#if defined(_WIN32)
// On Windows wchar_t and char16_t are both UTF-16 units.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
inline const char16_t* AsFormatArg(const wchar_t* text) {
  return reinterpret_cast<const char16_t*>(text);
}
#endif
}  // namespace detail

template <class... Texts>
Result BoundedFormat(char16_t* dest, std::size_t capacity, const char16_t* format, Texts... texts) {
  const char16_t* items[sizeof...(Texts) + 1] = {detail::AsFormatArg(texts)...};
  return BoundedFormatArgs(dest, capacity, format, {items, sizeof...(Texts)});
}

template <class... Texts>
Result BoundedFormatEx(char16_t* dest, std::size_t capacity, char16_t** end, std::size_t* remaining,
                       unsigned long flags, const char16_t* format, Texts... texts) {
  const char16_t* items[sizeof...(Texts) + 1] = {detail::AsFormatArg(texts)...};
  return BoundedFormatExArgs(dest, capacity, end, remaining, flags, format,
                             {items, sizeof...(Texts)});
}

}  // namespace corvane
