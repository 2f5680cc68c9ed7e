// Percent-encoding of a UTF-8 query for the q= parameter of the search
// address. Two passes over the same byte classes: one counts the units, the
// other writes them into a buffer sized from that count.
#pragma once
#include <cstddef>

namespace corvane {

// Units the encoded form of a zero-terminated UTF-8 query takes.
std::size_t EncodedQueryLength(const char* utf8);

// Whether a UTF-16 query has an encoded form at all: anything but line feeds
// and carriage returns. Decided from the text alone, before any launch.
bool HoldsSomethingToSearch(const char16_t* query);

// Writes the encoded query starting at `position`. Before each byte it checks
// that the units the byte needs fit before `limit`; false when they do not,
// with nothing written at or past `limit`. Writes no terminator.
bool WriteEncodedQuery(const char* utf8, char16_t* position, const char16_t* limit);

}  // namespace corvane
