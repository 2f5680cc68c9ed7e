// The user's engines as stored under the settings key: the default engine's
// address and the keywords' addresses. An address that is not a usable web
// address is never used: the search goes on as if it were absent.
#pragma once
#include <windows.h>

#include "support/memory.h"

namespace corvane {

// The default engine's address as UTF-8; null when there is none to use.
UniqueMemory<char> ReadDefaultEngine();

// The address of the engine of `keyword` (its first `length` units); null
// when the keyword is not the user's or its address is not to be used.
UniqueMemory<char> ReadKeywordEngine(const wchar_t* keyword, size_t length);

}  // namespace corvane
