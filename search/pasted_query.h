// What was copied, made a query: the clipboard's text as one line, as the
// search box would hold it. Platform-free.
#pragma once
#include <cstddef>

namespace corvane {

// Writes the first `length` units of `text` (or fewer, up to a terminator)
// into `query` as one line: line breaks, tabs and other control characters
// become spaces, runs of spaces one, both ends trimmed; at most `limit`
// units, cut before a character that would not fit whole (a surrogate pair
// stays together). `query` holds `limit` + 1 units; the result is
// terminated. Returns the units written, 0 when nothing is left to search.
std::size_t PastedQuery(const char16_t* text, std::size_t length, char16_t* query,
                        std::size_t limit);

}  // namespace corvane
