#include "search/suggestion_request.h"

#include <utility>

#include "res/product.h"
#include "search/built_in_engines.h"
#include "search/engine_layers.h"
#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/launch_web_search.h"
#include "search/recent_search_list.h"
#include "search/suggest_address.h"
#include "search/typed_address.h"
#include "search/user_engines.h"
#include "support/bounded_string.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

UniqueMemory<char> Utf8(const wchar_t* text) {
  UniqueMemory<char> utf8;
  return SUCCEEDED(ConvertToUtf8(text, &utf8)) ? std::move(utf8) : UniqueMemory<char>();
}

// A stored suggestion address, as UTF-8, when it may be asked.
UniqueMemory<char> UsableSuggestAddress(HRESULT read, const UniqueMemory<wchar_t>& stored) {
  if (read != S_OK) return UniqueMemory<char>();
  UniqueMemory<char> address = Utf8(stored.Get());
  return IsUsableSuggestAddress(address.Get()) ? std::move(address) : UniqueMemory<char>();
}

// The default engine's: SuggestAddress, else the built-in engine's, else
// that of the user's engine it is, kept under its keyword.
UniqueMemory<char> DefaultSuggestAddress() {
  UniqueMemory<wchar_t> stored;
  HRESULT read = ReadEngineAddressSetting(Setting::kSuggestAddress, &stored);
  if (UniqueMemory<char> address = UsableSuggestAddress(read, stored)) return address;
  UniqueMemory<wchar_t> searchAddress;
  const bool custom = ReadEngineAddressSetting(Setting::kSearchAddress, &searchAddress) == S_OK;
  const BuiltInEngine* engine = FindBuiltInEngine(custom ? AsUtf16(searchAddress.Get()) : nullptr);
  if (engine != nullptr) return Utf8(AsWide(engine->suggestAddress));
  wchar_t keyword[kMaxKeywordLength + 1] = {};
  if (!FindDefaultEngineKeyword(keyword)) return UniqueMemory<char>();
  read = ReadEngineText(SettingList::kSuggestAddresses, keyword, &stored);
  return UsableSuggestAddress(read, stored);
}

// The keyword's engine's; a keyword of the user's whose engine has none is
// asked nowhere.
bool KeywordSuggestAddress(const wchar_t* typed, const KeywordQuery& keyword,
                           UniqueMemory<char>* address) {
  if (!ReadKeywordEngine(typed, keyword.keywordLength)) return false;
  wchar_t name[kMaxKeywordLength + 1] = {};
  if (BoundedCopyN(AsUtf16(name), ARRAYSIZE(name), AsUtf16(typed), keyword.keywordLength) !=
      kResultOk)
    return true;
  UniqueMemory<wchar_t> stored;
  const HRESULT read = ReadEngineText(SettingList::kSuggestAddresses, name, &stored);
  *address = UsableSuggestAddress(read, stored);
  return true;
}

}  // namespace

SuggestionRequest BuildSuggestionRequest(const wchar_t* typed) {
  SuggestionRequest request;
  if (!MayRememberOrSend(AsUtf16(typed))) return request;
  UniqueMemory<char> utf8 = Utf8(typed);
  if (!utf8 || IsTypedWebAddress(utf8.Get())) return request;
  UniqueMemory<char> address;
  const char16_t* words = AsUtf16(typed);
  KeywordQuery keyword = {};
  if (!SplitKeywordQuery(words, &keyword) || !KeywordSuggestAddress(typed, keyword, &address)) {
    address = DefaultSuggestAddress();
  } else {
    words = keyword.rest;
    request.prefixUnits = static_cast<size_t>(keyword.rest - AsUtf16(typed));
  }
  UniqueMemory<char> query = Utf8(AsWide(words));
  char16_t* built = nullptr;
  if (address && query &&
      BuildEngineAddress(address.Get(), query.Get(), &built) == AddressResult::kBuilt)
    request.address.Reset(built);
  return request;
}

}  // namespace corvane
