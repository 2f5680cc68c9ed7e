// The user's recent searches, newest first, kept as the registry keeps a
// list of texts (REG_MULTI_SZ): each text terminated, the list ended by an
// empty one. Platform-free; a list read from the registry may be cut short
// or hold anything, so every reader stops at its end.
#pragma once
#include <cstddef>

#include "search/suggestion_rows.h"

namespace corvane {

constexpr std::size_t kMaxRecentSearches = 50;

// Whether a text is worth remembering or asking suggestions for, and safe
// to: not empty or spaces only, at most kMaxSuggestionLength units, and not
// an address with a user name (and perhaps a password) before its server.
bool MayRememberOrSend(const char16_t* query);

// Units of the list with `query` first, any equal earlier one (ASCII case
// ignored) left out, at most kMaxRecentSearches texts. With `out` null only
// counts; otherwise writes, never at or past `capacity` units, and returns 0
// when that is too small.
std::size_t WriteWithRecentSearch(const char16_t* list, std::size_t listUnits,
                                  const char16_t* query, char16_t* out, std::size_t capacity);

// Appends the recent searches that begin with `typed` (ASCII case ignored;
// all of them when it is empty), newest first, until `limit` rows are full.
void AddRecentMatches(const char16_t* list, std::size_t listUnits, const char16_t* typed,
                      std::size_t limit, SuggestionRows* rows);

}  // namespace corvane
