// The engines a search goes to, as the settings' layers decide them
// (search/engine_layers.h): the default engine's address and the keywords'
// addresses. An address that is not a usable web
// address is never used: the search goes on as if it were absent.
#pragma once
#include <windows.h>

#include "search/keyword_query.h"
#include "support/memory.h"

namespace corvane {

// The default engine's address as UTF-8; null when there is none to use.
UniqueMemory<char> ReadDefaultEngine();

// The address of the engine of `keyword` (its first `length` units); null
// when the keyword is not the user's or its address is not to be used.
UniqueMemory<char> ReadKeywordEngine(const wchar_t* keyword, size_t length);

// The keyword of the user's engine that searches as the default engine (the
// first whose address is the default engine's), terminated in `keyword`;
// false when the default engine is none of the user's.
bool FindDefaultEngineKeyword(wchar_t (&keyword)[kMaxKeywordLength + 1]);

// Longer names of the user's engines are cut to this.
constexpr size_t kMaxEngineNameUnits = 64;

// The default engine's name as the user knows it: a built-in engine's, the
// name (else the keyword) of the user's engine, else its server's name.
// Null for Google's country site, which the band names in its own words.
UniqueMemory<wchar_t> ReadDefaultEngineName();

}  // namespace corvane
