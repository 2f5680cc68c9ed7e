#include "program/engine_settings.h"

#include "support/hresult.h"
#include "support/settings_store.h"
#include "support/wide_text.h"

namespace corvane::program {
namespace {

std::wstring ReadText(Setting setting) {
  UniqueMemory<wchar_t> text;
  return ReadTextSetting(setting, &text) == S_OK ? std::wstring(text.Get()) : std::wstring();
}

std::wstring ReadListed(SettingList list, const std::wstring& keyword) {
  UniqueMemory<wchar_t> text;
  return ReadListedSetting(list, keyword.c_str(), &text) == S_OK ? std::wstring(text.Get())
                                                                 : std::wstring();
}

bool CollectKeyword(const wchar_t* keyword, void* context) {
  static_cast<std::vector<std::wstring>*>(context)->emplace_back(keyword);
  return true;
}

// The lists and what each holds of an engine; the addresses first, since a
// keyword without an address is no engine.
struct ListOfEngines {
  SettingList list;
  const std::wstring UserEngine::*text;
};
constexpr ListOfEngines kEngineLists[] = {
    {SettingList::kKeywords, &UserEngine::address},
    {SettingList::kEngineNames, &UserEngine::name},
    {SettingList::kSuggestAddresses, &UserEngine::suggestAddress},
};

std::vector<ListedSetting> Entries(const std::vector<UserEngine>& engines,
                                   const ListOfEngines& of) {
  std::vector<ListedSetting> entries;
  for (const UserEngine& engine : engines)
    entries.push_back({engine.keyword.c_str(), (engine.*of.text).c_str()});
  return entries;
}

// Every engine's new values first, then the old ones taken away: a failure
// part-way leaves every engine the user had.
HRESULT WriteEngines(const std::vector<UserEngine>& engines) {
  for (const ListOfEngines& of : kEngineLists) {
    const std::vector<ListedSetting> entries = Entries(engines, of);
    RETURN_IF_FAILED(WriteListedSettings(of.list, entries.data(), entries.size()));
  }
  for (const ListOfEngines& of : kEngineLists) {
    const std::vector<ListedSetting> entries = Entries(engines, of);
    RETURN_IF_FAILED(RemoveUnlistedSettings(of.list, entries.data(), entries.size()));
  }
  return S_OK;
}

}  // namespace

HRESULT ReadEngineSettings(EngineSettings* read) {
  EngineSettings settings;
  const Settings stored = ReadSettings();
  settings.searchAddress = ReadText(Setting::kSearchAddress);
  settings.focusKey = stored.focusKey;
  settings.suggestions = stored.suggestions;
  settings.history = stored.history;
  std::vector<std::wstring> keywords;
  RETURN_IF_FAILED(VisitKeywords(SettingList::kKeywords, CollectKeyword, &keywords));
  for (const std::wstring& keyword : keywords) {
    UserEngine engine;
    engine.keyword = keyword;
    engine.address = ReadListed(SettingList::kKeywords, keyword);
    engine.name = ReadListed(SettingList::kEngineNames, keyword);
    engine.suggestAddress = ReadListed(SettingList::kSuggestAddresses, keyword);
    if (engine.name.empty()) engine.name = keyword;
    settings.engines.push_back(std::move(engine));
  }
  *read = std::move(settings);
  return S_OK;
}

HRESULT WriteEngineSettings(const EngineSettings& settings) {
  RETURN_IF_FAILED(WriteTextSetting(Setting::kSearchAddress, settings.searchAddress.c_str()));
  wchar_t focusKey[kMaxFocusKeyUnits + 1] = {};
  if (!FormatFocusKey(settings.focusKey, AsUtf16(focusKey), ARRAYSIZE(focusKey)))
    return E_INVALIDARG;
  RETURN_IF_FAILED(WriteTextSetting(Setting::kFocusKey, focusKey));
  RETURN_IF_FAILED(WriteNumberSetting(Setting::kSuggestions, settings.suggestions ? 1 : 0));
  RETURN_IF_FAILED(WriteNumberSetting(Setting::kHistory, settings.history ? 1 : 0));
  if (!settings.history) RETURN_IF_FAILED(ForgetRecentSearches());
  return WriteEngines(settings.engines);
}

}  // namespace corvane::program
