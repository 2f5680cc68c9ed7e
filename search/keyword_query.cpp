#include "search/keyword_query.h"

namespace corvane {
namespace {

bool IsBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

}  // namespace

bool SplitKeywordQuery(const char16_t* query, KeywordQuery* split) {
  if (query == nullptr || split == nullptr) return false;
  std::size_t length = 0;
  while (query[length] != 0 && query[length] != u' ') {
    if (IsBlank(query[length]) || length == kMaxKeywordLength) return false;
    ++length;
  }
  if (length == 0 || query[length] != u' ') return false;
  const char16_t* rest = query + length;
  while (*rest == u' ') ++rest;
  for (const char16_t* p = rest; *p != 0; ++p)
    if (!IsBlank(*p)) {
      *split = {length, rest};
      return true;
    }
  return false;
}

}  // namespace corvane
