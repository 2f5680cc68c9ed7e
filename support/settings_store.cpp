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
    kShowGoButtonValue,  kFocusKeyValue,       kSuggestionsValue,      kHistoryValue,
    kSearchAddressValue, kSuggestAddressValue, kPlacementValue,        kPlacementMonitorValue,
    kStripLeftValue,     kStripTopValue,       kStartWithWindowsValue,
};
static_assert(ARRAYSIZE(kSettingNames) == static_cast<size_t>(Setting::kCount),
              "one name per setting");

// In the order of SettingList.
constexpr const wchar_t* kListKeys[] = {kKeywordsKey, kEngineNamesKey, kSuggestAddressesKey};
static_assert(ARRAYSIZE(kListKeys) == static_cast<size_t>(SettingList::kCount), "one key per list");

// What is not there, or is there as something the rule cannot take, is
// absent; anything else is a failure to read, traced here, where the reader
// then goes by the rule's default.
HRESULT AbsentOrFailed(LONG status) {
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_UNSUPPORTED_TYPE ||
      status == ERROR_MORE_DATA)
    return S_FALSE;
  return TRACE_IF_FAILED(FromWin32(status));
}

// A REG_SZ of at most `maxUnits` units.
HRESULT ReadText(const wchar_t* key, const wchar_t* name, size_t maxUnits,
                 UniqueMemory<wchar_t>* text) {
  text->Reset();
  // One unit beyond the longest text, so that a longer one does not fit.
  UniqueMemory<wchar_t> buffer(AllocArray<wchar_t>(maxUnits + 2));
  if (!buffer) return E_OUTOFMEMORY;
  DWORD bytes = static_cast<DWORD>((maxUnits + 1) * sizeof(wchar_t));
  const LONG status =
      RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buffer.Get(), &bytes);
  if (status != ERROR_SUCCESS) return AbsentOrFailed(status);
  *text = std::move(buffer);
  return S_OK;
}

bool IsKeyword(const wchar_t* name) {
  const size_t length = BoundedLength(AsUtf16(name), kMaxKeywordLength + 1);
  return length > 0 && length <= kMaxKeywordLength;
}

}  // namespace

const wchar_t* SettingName(Setting setting) { return kSettingNames[static_cast<size_t>(setting)]; }
const wchar_t* SettingListKey(SettingList list) { return kListKeys[static_cast<size_t>(list)]; }

HRESULT ReadNumberSetting(Setting setting, DWORD* value) {
  UniqueRegistryKey key;
  const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Put());
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

DWORD DecidedNumber(Setting setting) {
  DWORD value = 0;
  return ReadNumberSetting(setting, &value) == S_OK ? value : RuleOf(setting).fallback;
}

HRESULT ReadTextSetting(Setting setting, UniqueMemory<wchar_t>* text) {
  const SettingRule& rule = RuleOf(setting);
  if (rule.type != SettingType::kText) return E_INVALIDARG;
  return ReadText(kSettingsKey, SettingName(setting), rule.maxUnits, text);
}

HRESULT ReadListedSetting(SettingList list, const wchar_t* keyword, UniqueMemory<wchar_t>* text) {
  text->Reset();
  if (!IsKeyword(keyword)) return S_FALSE;
  return ReadText(SettingListKey(list), keyword, kMaxSettingTextUnits, text);
}

HRESULT VisitKeywords(SettingList list, KeywordVisitor visit, void* context) {
  UniqueRegistryKey key;
  const LONG opened =
      RegOpenKeyExW(HKEY_CURRENT_USER, SettingListKey(list), 0, KEY_READ, key.Put());
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

Settings ReadSettings() {
  Settings settings;
  settings.showGoButton = DecidedNumber(Setting::kShowGoButton) != 0 ? TRUE : FALSE;
  settings.suggestions = DecidedNumber(Setting::kSuggestions) != 0;
  settings.history = DecidedNumber(Setting::kHistory) != 0;
  settings.declinesStart = DecidedNumber(Setting::kStartWithWindows) == 0;
  UniqueMemory<wchar_t> text;
  const bool hasKey = ReadTextSetting(Setting::kFocusKey, &text) == S_OK;
  settings.focusKey = FocusKeyFromSetting(hasKey ? AsUtf16(text.Get()) : nullptr);
  if (ReadTextSetting(Setting::kPlacement, &text) == S_OK)
    settings.placement = StripModeFromText(AsUtf16(text.Get()));
  if (ReadTextSetting(Setting::kPlacementMonitor, &text) == S_OK)
    settings.placementMonitor = StripMonitorFromText(AsUtf16(text.Get()));
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
