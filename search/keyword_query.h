// "w berlin": a query that starts with one of the user's keywords and a
// space searches the rest of it with that keyword's engine.
#pragma once
#include <cstddef>

#include "support/setting_rules.h"  // kMaxKeywordLength

namespace corvane {

struct KeywordQuery {
  std::size_t keywordLength;  // units of the first word
  const char16_t* rest;       // after the spaces that follow it
};

// True when `query` is a first word of 1 to kMaxKeywordLength units, then
// spaces, then something to search for (more than spaces and line breaks).
bool SplitKeywordQuery(const char16_t* query, KeywordQuery* split);

}  // namespace corvane
