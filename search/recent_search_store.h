// The user's recent searches under the settings key, kept only while the
// user has turned history on.
#pragma once
#include <windows.h>

#include "search/suggestion_rows.h"

namespace corvane {

// Whether the user turned history on.
bool HistoryWanted();

// Puts `query` first among the recent searches, when history is on and the
// query may be remembered. A list that cannot be written stays as it was:
// the search goes on regardless.
void RememberSearch(const wchar_t* query);

// Appends the recent searches that begin with `typed` (history on only), up
// to `limit` rows.
void AddRecentSearches(const wchar_t* typed, size_t limit, SuggestionRows* rows);

}  // namespace corvane
