// What the search box asks for suggestions, if anything: only while the
// user has turned suggestions on, never for a typed web address, and for a
// keyword's search only from that keyword's engine.
#pragma once
#include <windows.h>

#include "support/memory.h"

namespace corvane {

struct SuggestionRequest {
  UniqueMemory<char16_t> address;  // null: nothing to ask
  size_t prefixUnits = 0;          // units of the typed text shown before each suggestion
};

// The address to ask for suggestions for `typed`: the keyword's engine's
// suggestion address for "keyword words" (only the words are sent); else
// SuggestAddress; else that of the built-in engine the user searches with,
// or of the user's own engine that is the default engine.
// Nothing for a typed web address, an address with a user name, or a text
// too long to suggest for.
SuggestionRequest BuildSuggestionRequest(const wchar_t* typed);

}  // namespace corvane
