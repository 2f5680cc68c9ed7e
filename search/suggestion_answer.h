// An engine's answer to a suggestion request, in the OpenSearch suggestions
// format: a JSON array of the query and an array of suggested texts, then
// anything. The answer comes from the network: nothing in it is trusted.
// Platform-free.
#pragma once
#include <cstddef>

#include "search/suggestion_rows.h"

namespace corvane {

// Reads up to kMaxSuggestionRows distinct texts from the suggestions array
// of `size` bytes of UTF-8 into *rows (emptied first). A text that is not
// valid UTF-8, or is longer than kMaxSuggestionLength units once control and
// direction characters are left out, is skipped, as is anything in the array
// that is not a text. false (and no rows) when the answer does not have the
// format's shape up to the end of that array.
bool ParseSuggestionAnswer(const char* data, std::size_t size, SuggestionRows* rows);

}  // namespace corvane
