#include "program/engine_settings.h"

#include <algorithm>

#include "search/engine_layers.h"
#include "support/hresult.h"
#include "support/settings_store.h"
#include "support/wide_text.h"

namespace corvane::program {
namespace {

std::wstring ReadListed(SettingLayer layer, SettingList list, const std::wstring& keyword) {
  UniqueMemory<wchar_t> text;
  return ReadListedSetting(layer, list, keyword.c_str(), &text) == S_OK ? std::wstring(text.Get())
                                                                        : std::wstring();
}

bool CollectEngine(const wchar_t* keyword, SettingLayer layer, void* context) {
  UserEngine engine;
  engine.keyword = keyword;
  engine.layer = layer;
  static_cast<std::vector<UserEngine>*>(context)->push_back(std::move(engine));
  return true;
}

bool SameEngine(const UserEngine& a, const UserEngine& b) {
  return a.name == b.name && a.keyword == b.keyword && a.address == b.address &&
         a.suggestAddress == b.suggestAddress;
}

// The engines the user may keep: all but the policies'.
std::vector<UserEngine> OwnEngines(const std::vector<UserEngine>& engines) {
  std::vector<UserEngine> own;
  for (const UserEngine& engine : engines)
    if (!IsPolicy(engine.layer)) own.push_back(engine);
  return own;
}

bool SameEngines(const std::vector<UserEngine>& a, const std::vector<UserEngine>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameEngine);
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

HRESULT WriteText(Setting setting, std::u16string_view text) {
  return WriteTextSetting(setting, std::wstring(text.begin(), text.end()).c_str());
}

// "none" is written too: it stands before a key an organisation recommends.
HRESULT WriteKey(Setting setting, const FocusKey& key) {
  wchar_t text[kMaxFocusKeyUnits + 1] = {};
  if (!FormatFocusKey(key, AsUtf16(text), ARRAYSIZE(text))) return E_INVALIDARG;
  return WriteTextSetting(setting, text);
}

}  // namespace

HRESULT ReadEngineSettings(EngineSettings* read) {
  EngineSettings settings;
  const Settings stored = ReadSettings();
  settings.focusKey = stored.focusKey;
  settings.searchClipboardKey = stored.searchClipboardKey;
  settings.suggestions = stored.suggestions;
  settings.history = stored.history;
  settings.placement = stored.placement;
  settings.placementMonitor = stored.placementMonitor;
  static_cast<SettingSources&>(settings) = stored;
  settings.userEngines = stored.userEngines;
  UniqueMemory<wchar_t> address;
  SettingLayer from = SettingLayer::kUser;
  if (ReadEngineAddressSetting(Setting::kSearchAddress, &address, &from) == S_OK) {
    settings.searchAddress = address.Get();
    settings.Note(Setting::kSearchAddress, from);
  }
  RETURN_IF_FAILED(VisitEngines(CollectEngine, &settings.engines));
  for (UserEngine& engine : settings.engines) {
    engine.address = ReadListed(engine.layer, SettingList::kKeywords, engine.keyword);
    engine.name = ReadListed(engine.layer, SettingList::kEngineNames, engine.keyword);
    engine.suggestAddress =
        ReadListed(engine.layer, SettingList::kSuggestAddresses, engine.keyword);
    if (engine.name.empty()) engine.name = engine.keyword;
    if (IsRecommendation(engine.layer)) settings.recommendedEngines = true;
  }
  *read = std::move(settings);
  return S_OK;
}

HRESULT WriteEngineSettings(const EngineSettings& shown, const EngineSettings& chosen) {
  // A value the user may not change, or a recommendation left as it was.
  auto keeps = [&shown](Setting setting, bool unchanged) {
    return shown.IsFixed(setting) || (shown.IsRecommended(setting) && unchanged);
  };
  if (!keeps(Setting::kSearchAddress, shown.searchAddress == chosen.searchAddress))
    RETURN_IF_FAILED(WriteTextSetting(Setting::kSearchAddress, chosen.searchAddress.c_str()));
  if (!keeps(Setting::kFocusKey, shown.focusKey == chosen.focusKey))
    RETURN_IF_FAILED(WriteKey(Setting::kFocusKey, chosen.focusKey));
  if (!keeps(Setting::kSearchClipboardKey, shown.searchClipboardKey == chosen.searchClipboardKey))
    RETURN_IF_FAILED(WriteKey(Setting::kSearchClipboardKey, chosen.searchClipboardKey));
  if (!keeps(Setting::kSuggestions, shown.suggestions == chosen.suggestions))
    RETURN_IF_FAILED(WriteNumberSetting(Setting::kSuggestions, chosen.suggestions ? 1 : 0));
  if (!keeps(Setting::kHistory, shown.history == chosen.history))
    RETURN_IF_FAILED(WriteNumberSetting(Setting::kHistory, chosen.history ? 1 : 0));
  if (!chosen.history) RETURN_IF_FAILED(ForgetRecentSearches());
  if (!keeps(Setting::kPlacement, shown.placement == chosen.placement))
    RETURN_IF_FAILED(WriteText(Setting::kPlacement, StripModeText(chosen.placement)));
  if (!keeps(Setting::kPlacementMonitor, shown.placementMonitor == chosen.placementMonitor))
    RETURN_IF_FAILED(
        WriteText(Setting::kPlacementMonitor, StripMonitorText(chosen.placementMonitor)));
  if (!shown.userEngines) return S_OK;
  const std::vector<UserEngine> own = OwnEngines(chosen.engines);
  if (shown.recommendedEngines && SameEngines(OwnEngines(shown.engines), own)) return S_OK;
  return WriteEngines(own);
}

}  // namespace corvane::program
