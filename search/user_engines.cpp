#include "search/user_engines.h"

#include "res/product.h"
#include "search/built_in_engines.h"
#include "search/engine_layers.h"
#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/launch_web_search.h"
#include "search/web_scheme.h"
#include "support/bounded_string.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// A stored engine address as UTF-8, when it is one to search with.
UniqueMemory<char> UsableEngine(HRESULT read, const UniqueMemory<wchar_t>& stored) {
  UniqueMemory<char> engine;
  if (read != S_OK || FAILED(ConvertToUtf8(stored.Get(), &engine))) return UniqueMemory<char>();
  if (CheckEngineTemplate(engine.Get()) != TemplateCheck::kUsable) return UniqueMemory<char>();
  return engine;
}

struct KeywordSearch {
  const wchar_t* address;
  wchar_t* keyword;
  bool found;
};

bool IsKeywordOfAddress(const wchar_t* name, SettingLayer layer, void* context) {
  auto* search = static_cast<KeywordSearch*>(context);
  UniqueMemory<wchar_t> address;
  if (ReadListedSetting(layer, SettingList::kKeywords, name, &address) != S_OK ||
      CompareStringOrdinal(address.Get(), -1, search->address, -1, FALSE) != CSTR_EQUAL)
    return true;
  search->found =
      BoundedCopy(AsUtf16(search->keyword), kMaxKeywordLength + 1, AsUtf16(name)) == kResultOk;
  return !search->found;
}

// The first keyword of the user's whose engine's address is `address`.
bool FindKeywordOf(const wchar_t* address, wchar_t (&keyword)[kMaxKeywordLength + 1]) {
  KeywordSearch search = {address, keyword, false};
  return SUCCEEDED(VisitEngines(IsKeywordOfAddress, &search)) && search.found;
}

// A copy of at most kMaxEngineNameUnits units, never the half of a pair.
UniqueMemory<wchar_t> EngineName(const wchar_t* name) {
  size_t length = BoundedLength(AsUtf16(name), kMaxEngineNameUnits + 1);
  if (length > kMaxEngineNameUnits) {
    length = kMaxEngineNameUnits;
    if (name[length - 1] >= 0xD800 && name[length - 1] <= 0xDBFF) --length;
  }
  UniqueMemory<wchar_t> copy(AllocArray<wchar_t>(length + 1));
  if (copy) BoundedCopyN(AsUtf16(copy.Get()), length + 1, AsUtf16(name), length);
  return copy;
}

// The server's name of a usable engine address, without a user before it.
UniqueMemory<wchar_t> ServerNameOf(const char* engine) {
  const char* server = engine + WebSchemeLength(engine);
  int length = static_cast<int>(ServerNameLength(server));
  for (int i = length; i > 0; --i)
    if (server[i - 1] == '@') {
      server += i;
      length -= i;
      break;
    }
  UniqueMemory<wchar_t> name(AllocArray<wchar_t>(static_cast<size_t>(length) + 1));
  if (!name || MultiByteToWideChar(CP_UTF8, 0, server, length, name.Get(), length) <= 0)
    return UniqueMemory<wchar_t>();
  return EngineName(name.Get());
}

}  // namespace

UniqueMemory<char> ReadDefaultEngine() {
  UniqueMemory<wchar_t> address;
  const HRESULT read = ReadEngineAddressSetting(Setting::kSearchAddress, &address);
  return UsableEngine(read, address);
}

UniqueMemory<char> ReadKeywordEngine(const wchar_t* keyword, size_t length) {
  wchar_t name[kMaxKeywordLength + 1] = {};
  if (length > kMaxKeywordLength ||
      BoundedCopyN(AsUtf16(name), ARRAYSIZE(name), AsUtf16(keyword), length) != kResultOk)
    return UniqueMemory<char>();
  UniqueMemory<wchar_t> address;
  const HRESULT read = ReadEngineText(SettingList::kKeywords, name, &address);
  return UsableEngine(read, address);
}

bool FindDefaultEngineKeyword(wchar_t (&keyword)[kMaxKeywordLength + 1]) {
  UniqueMemory<wchar_t> address;
  return ReadDefaultEngine() &&
         ReadEngineAddressSetting(Setting::kSearchAddress, &address) == S_OK &&
         FindKeywordOf(address.Get(), keyword);
}

UniqueMemory<wchar_t> ReadDefaultEngineName() {
  UniqueMemory<char> engine = ReadDefaultEngine();
  UniqueMemory<wchar_t> address;
  if (!engine || ReadEngineAddressSetting(Setting::kSearchAddress, &address) != S_OK)
    return UniqueMemory<wchar_t>();
  const BuiltInEngine* builtIn = FindBuiltInEngine(AsUtf16(address.Get()));
  if (builtIn != nullptr)
    return builtIn->name != nullptr ? EngineName(AsWide(builtIn->name)) : UniqueMemory<wchar_t>();
  wchar_t keyword[kMaxKeywordLength + 1] = {};
  if (FindKeywordOf(address.Get(), keyword)) {
    UniqueMemory<wchar_t> name;
    const bool named =
        ReadEngineText(SettingList::kEngineNames, keyword, &name) == S_OK && name.Get()[0];
    return EngineName(named ? name.Get() : keyword);
  }
  return ServerNameOf(engine.Get());
}

}  // namespace corvane
