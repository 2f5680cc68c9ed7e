// The start of a web address: the only kind Corvane ever opens.
#pragma once
#include <cstddef>

namespace corvane {

// Bytes of `lowerPrefix` (lower case) when `utf8` starts with it, ASCII case
// ignored; else 0.
std::size_t CaselessPrefixLength(const char* utf8, const char* lowerPrefix);

// Bytes of a leading "https://" or "http://" (ASCII case ignored), else 0.
std::size_t WebSchemeLength(const char* utf8);

// Bytes of the server's name (and port, and any user) at the start of what
// follows the scheme: up to the first "/", "?", "#" or the end.
std::size_t ServerNameLength(const char* utf8);

}  // namespace corvane
