#include "support/settings_store.h"

#include "res/product.h"
#include "support/bounded_string.h"
#include "support/hresult.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

#include <utility>

namespace corvane {
namespace {

// In the order of Setting.
constexpr const wchar_t* kSettingNames[] = {
    kShowGoButtonValue,       kFocusKeyValue,       kSuggestionsValue,      kHistoryValue,
    kSearchAddressValue,      kSuggestAddressValue, kPlacementValue,        kPlacementMonitorValue,
    kStripLeftValue,          kStripTopValue,       kStartWithWindowsValue, kAllowUserEnginesValue,
    kSearchClipboardKeyValue,
};
static_assert(ARRAYSIZE(kSettingNames) == static_cast<size_t>(Setting::kCount),
              "one name per setting");

// In the order of SettingList.
constexpr const wchar_t* kListKeys[] = {kKeywordsKey, kEngineNamesKey, kSuggestAddressesKey};
static_assert(ARRAYSIZE(kListKeys) == static_cast<size_t>(SettingList::kCount), "one key per list");

// What is not there, or is there as something the rule cannot take, is
// absent; anything else is a failure to read, traced here, where the reader
// then goes by the next layer or the rule's default.
HRESULT AbsentOrFailed(LONG status) {
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_UNSUPPORTED_TYPE ||
      status == ERROR_MORE_DATA)
    return S_FALSE;
  return TRACE_IF_FAILED(FromWin32(status));
}

HKEY LayerRoot(SettingLayer layer) {
  return layer == SettingLayer::kMachinePolicy || layer == SettingLayer::kMachineRecommended
             ? HKEY_LOCAL_MACHINE
             : HKEY_CURRENT_USER;
}

const wchar_t* LayerKey(SettingLayer layer) {
  if (layer == SettingLayer::kUser) return kSettingsKey;
  return IsPolicy(layer) ? kPolicyKey : kRecommendedPolicyKey;
}

LONG OpenLayer(SettingLayer layer, const wchar_t* below, UniqueRegistryKey* key) {
  UniqueRegistryKey top;
  const LONG status = RegOpenKeyExW(LayerRoot(layer), LayerKey(layer), 0, KEY_READ, top.Put());
  if (status != ERROR_SUCCESS || below == nullptr) {
    *key = std::move(top);
    return status;
  }
  return RegOpenKeyExW(top.Get(), below, 0, KEY_READ, key->Put());
}

// A REG_SZ of at most `maxUnits` units in a layer's key or a key below it.
HRESULT ReadText(SettingLayer layer, const wchar_t* below, const wchar_t* name, size_t maxUnits,
                 UniqueMemory<wchar_t>* text) {
  text->Reset();
  UniqueRegistryKey key;
  const LONG opened = OpenLayer(layer, below, &key);
  if (opened != ERROR_SUCCESS) return AbsentOrFailed(opened);
  // One unit beyond the longest text, so that a longer one does not fit.
  UniqueMemory<wchar_t> buffer(AllocArray<wchar_t>(maxUnits + 2));
  if (!buffer) return E_OUTOFMEMORY;
  DWORD bytes = static_cast<DWORD>((maxUnits + 1) * sizeof(wchar_t));
  const LONG status =
      RegGetValueW(key.Get(), nullptr, name, RRF_RT_REG_SZ, nullptr, buffer.Get(), &bytes);
  if (status != ERROR_SUCCESS) return AbsentOrFailed(status);
  *text = std::move(buffer);
  return S_OK;
}

bool IsKeyword(const wchar_t* name) {
  const size_t length = BoundedLength(AsUtf16(name), kMaxKeywordLength + 1);
  return length > 0 && length <= kMaxKeywordLength;
}

bool ReadsFrom(Setting setting, SettingLayer layer) {
  return (RuleOf(setting).layers & LayerBit(layer)) != 0;
}

}  // namespace

const wchar_t* SettingName(Setting setting) { return kSettingNames[static_cast<size_t>(setting)]; }
const wchar_t* SettingListKey(SettingList list) { return kListKeys[static_cast<size_t>(list)]; }

HRESULT ReadNumberSettingIn(SettingLayer layer, Setting setting, DWORD* value) {
  UniqueRegistryKey key;
  const LONG opened = OpenLayer(layer, nullptr, &key);
  if (opened != ERROR_SUCCESS) return AbsentOrFailed(opened);
  DWORD data = 0;
  DWORD type = 0;
  DWORD size = sizeof data;
  const LONG status = RegQueryValueExW(key.Get(), SettingName(setting), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&data), &size);
  if (status != ERROR_SUCCESS) return AbsentOrFailed(status);
  if (type != REG_DWORD || size != sizeof data || !TakesNumber(setting, data)) return S_FALSE;
  *value = data;
  return S_OK;
}

HRESULT ReadTextSettingIn(SettingLayer layer, Setting setting, UniqueMemory<wchar_t>* text) {
  const SettingRule& rule = RuleOf(setting);
  if (rule.type != SettingType::kText) return E_INVALIDARG;
  RETURN_IF_FAILED(ReadText(layer, nullptr, SettingName(setting), rule.maxUnits, text));
  if (*text && TakesTextValue(setting, AsUtf16(text->Get()),
                              BoundedLength(AsUtf16(text->Get()), rule.maxUnits + 1)))
    return S_OK;
  text->Reset();
  return S_FALSE;
}

HRESULT ReadNumberSetting(Setting setting, DWORD* value, SettingLayer* from) {
  for (unsigned at = 0; at < static_cast<unsigned>(SettingLayer::kCount); ++at) {
    const auto layer = static_cast<SettingLayer>(at);
    if (ReadsFrom(setting, layer) && ReadNumberSettingIn(layer, setting, value) == S_OK) {
      if (from != nullptr) *from = layer;
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT ReadTextSetting(Setting setting, UniqueMemory<wchar_t>* text, TextCheck check,
                        SettingLayer* from) {
  for (unsigned at = 0; at < static_cast<unsigned>(SettingLayer::kCount); ++at) {
    const auto layer = static_cast<SettingLayer>(at);
    if (ReadsFrom(setting, layer) && ReadTextSettingIn(layer, setting, text) == S_OK &&
        (check == nullptr || check(layer, text->Get()))) {
      if (from != nullptr) *from = layer;
      return S_OK;
    }
  }
  text->Reset();
  return S_FALSE;
}

DWORD DecidedNumber(Setting setting) {
  DWORD value = 0;
  return ReadNumberSetting(setting, &value) == S_OK ? value : RuleOf(setting).fallback;
}

HRESULT ReadListedSetting(SettingLayer layer, SettingList list, const wchar_t* keyword,
                          UniqueMemory<wchar_t>* text) {
  text->Reset();
  if (!IsKeyword(keyword)) return S_FALSE;
  return ReadText(layer, SettingListKey(list), keyword, kMaxSettingTextUnits, text);
}

HRESULT VisitKeywords(SettingLayer layer, SettingList list, KeywordVisitor visit, void* context) {
  UniqueRegistryKey key;
  const LONG opened = OpenLayer(layer, SettingListKey(list), &key);
  if (opened == ERROR_FILE_NOT_FOUND) return S_OK;
  RETURN_IF_FAILED(FromWin32(opened));
  wchar_t name[kMaxKeywordLength + 1];
  for (DWORD index = 0;; ++index) {
    DWORD length = ARRAYSIZE(name);
    const LONG result =
        RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) return S_OK;
    if (result == ERROR_MORE_DATA) continue;  // longer than any keyword
    RETURN_IF_FAILED(FromWin32(result));
    if (length > 0 && !visit(name, context)) return S_OK;
  }
}

bool IsFixedByPolicy(Setting setting) {
  DWORD number = 0;
  UniqueMemory<wchar_t> text;
  for (SettingLayer layer : {SettingLayer::kMachinePolicy, SettingLayer::kUserPolicy})
    if (ReadsFrom(setting, layer) && (RuleOf(setting).type == SettingType::kNumber
                                          ? ReadNumberSettingIn(layer, setting, &number)
                                          : ReadTextSettingIn(layer, setting, &text)) == S_OK)
      return true;
  return false;
}

bool HasOwnEngines() {
  UniqueRegistryKey key;
  return OpenLayer(SettingLayer::kUser, kKeywordsKey, &key) == ERROR_SUCCESS;
}

bool WindowsSuggestionsOff() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(root, kExplorerPolicyKey, kDisableSearchBoxSuggestionsValue, RRF_RT_REG_DWORD,
                     nullptr, &value, &size) == ERROR_SUCCESS &&
        value == 1)
      return true;
  }
  return false;
}

bool IsPolicyChange(UINT message, LPARAM lParam) {
  return message == WM_SETTINGCHANGE && lParam != 0 &&
         CompareStringOrdinal(reinterpret_cast<const wchar_t*>(lParam), -1, kPolicyChange, -1,
                              TRUE) == CSTR_EQUAL;
}

Settings ReadSettings() {
  Settings settings;
  auto decided = [&settings](Setting setting) {
    DWORD value = RuleOf(setting).fallback;
    SettingLayer from = SettingLayer::kUser;
    if (ReadNumberSetting(setting, &value, &from) == S_OK) settings.Note(setting, from);
    return value;
  };
  auto text = [&settings](Setting setting, UniqueMemory<wchar_t>* value) {
    SettingLayer from = SettingLayer::kUser;
    const bool found = ReadTextSetting(setting, value, nullptr, &from) == S_OK;
    if (found) settings.Note(setting, from);
    return found;
  };
  settings.showGoButton = decided(Setting::kShowGoButton) != 0 ? TRUE : FALSE;
  settings.suggestions = decided(Setting::kSuggestions) != 0;
  if (WindowsSuggestionsOff()) {
    settings.suggestions = false;
    settings.Note(Setting::kSuggestions, SettingLayer::kMachinePolicy);
  }
  settings.history = decided(Setting::kHistory) != 0;
  settings.declinesStart = decided(Setting::kStartWithWindows) == 0;
  settings.userEngines = decided(Setting::kAllowUserEngines) != 0;
  UniqueMemory<wchar_t> value;
  const bool hasKey = text(Setting::kFocusKey, &value);
  settings.focusKey = FocusKeyFromSetting(hasKey ? AsUtf16(value.Get()) : nullptr);
  const bool hasClipboardKey = text(Setting::kSearchClipboardKey, &value);
  settings.searchClipboardKey =
      ClipboardKeyFromSetting(hasClipboardKey ? AsUtf16(value.Get()) : nullptr);
  if (text(Setting::kPlacement, &value))
    settings.placement = StripModeFromText(AsUtf16(value.Get()));
  if (text(Setting::kPlacementMonitor, &value))
    settings.placementMonitor = StripMonitorFromText(AsUtf16(value.Get()));
  // Both coordinates or none; stored as two's complement.
  DWORD left = 0, top = 0;
  settings.hasStripPlace = ReadNumberSetting(Setting::kStripLeft, &left) == S_OK &&
                           ReadNumberSetting(Setting::kStripTop, &top) == S_OK;
  if (settings.hasStripPlace)
    settings.stripPlace = {static_cast<LONG>(left), static_cast<LONG>(top)};
  return settings;
}

BOOL ReadShowGoButton(BOOL* show) {
  DWORD value = 0;
  if (ReadNumberSetting(Setting::kShowGoButton, &value) != S_OK) return FALSE;
  if (show != nullptr) *show = value != 0 ? TRUE : FALSE;
  return TRUE;
}

BOOL WriteShowGoButton(BOOL show) {
  return SUCCEEDED(WriteNumberSetting(Setting::kShowGoButton, show ? 1 : 0)) ? TRUE : FALSE;
}

HRESULT WriteNumberSetting(Setting setting, DWORD value) {
  if (!TakesNumber(setting, value)) return E_INVALIDARG;
  UniqueRegistryKey key;
  RETURN_IF_FAILED(FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, key.Put(), nullptr)));
  return FromWin32(RegSetValueExW(key.Get(), SettingName(setting), 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&value), sizeof value));
}

}  // namespace corvane
