#include "search/built_in_engines.h"

namespace corvane {
namespace {

bool SameText(const char16_t* a, const char16_t* b) {
  for (; *a == *b; ++a, ++b)
    if (*a == 0) return true;
  return false;
}

}  // namespace

const BuiltInEngine kBuiltInEngines[3] = {
    {nullptr, u"",
     u"https://suggestqueries.google.com/complete/search?client=firefox&ie=utf-8&oe=utf-8&q="
     u"{searchTerms}"},
    {u"Bing", u"https://www.bing.com/search?q={searchTerms}",
     u"https://api.bing.com/osjson.aspx?query={searchTerms}"},
    {u"DuckDuckGo", u"https://duckduckgo.com/?q={searchTerms}",
     u"https://duckduckgo.com/ac/?q={searchTerms}&type=list"},
};

const BuiltInEngine* FindBuiltInEngine(const char16_t* searchAddress) {
  if (searchAddress == nullptr) searchAddress = u"";
  for (const BuiltInEngine& engine : kBuiltInEngines)
    if (SameText(engine.searchAddress, searchAddress)) return &engine;
  return nullptr;
}

}  // namespace corvane
