#include "program/engine_settings.h"

#include "res/product.h"
#include "support/hresult.h"
#include "support/settings_store.h"
#include "support/windows_handles.h"
#include "ui/focus_targets.h"

namespace corvane::program {
namespace {

std::wstring ReadText(const wchar_t* key, const wchar_t* name) {
  UniqueMemory<wchar_t> text;
  return SUCCEEDED(ReadTextSetting(key, name, &text)) ? std::wstring(text.Get()) : std::wstring();
}

// The value names of a key: the keywords.
std::vector<std::wstring> ValueNames(const wchar_t* keyPath) {
  std::vector<std::wstring> names;
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
    return names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = ARRAYSIZE(name);
    LONG result =
        RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;  // longer than any keyword
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

HRESULT WriteText(const wchar_t* keyPath, const wchar_t* name, const std::wstring& text) {
  UniqueRegistryKey key;
  RETURN_IF_FAILED(FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, key.Put(), nullptr)));
  return FromWin32(RegSetValueExW(key.Get(), name, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}

HRESULT DeleteKeyTree(const wchar_t* keyPath) {
  LONG result = RegDeleteTreeW(HKEY_CURRENT_USER, keyPath);
  if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) return S_OK;
  return FromWin32(result);
}

}  // namespace

EngineSettings ReadEngineSettings() {
  EngineSettings settings;
  settings.searchAddress = ReadText(kSettingsKey, kSearchAddressValue);
  settings.focusKey = ReadText(kSettingsKey, kFocusKeyValue);
  settings.suggestions = ReadFlagSetting(kSuggestionsValue);
  settings.history = ReadFlagSetting(kHistoryValue);
  for (const std::wstring& keyword : ValueNames(kKeywordsKey)) {
    UserEngine engine;
    engine.keyword = keyword;
    engine.address = ReadText(kKeywordsKey, keyword.c_str());
    engine.name = ReadText(kEngineNamesKey, keyword.c_str());
    engine.suggestAddress = ReadText(kSuggestAddressesKey, keyword.c_str());
    if (engine.name.empty()) engine.name = keyword;
    settings.engines.push_back(std::move(engine));
  }
  return settings;
}

HRESULT WriteEngineSettings(const EngineSettings& settings) {
  if (settings.searchAddress.empty()) {
    RETURN_IF_FAILED(DeleteSetting(kSearchAddressValue));
  } else {
    RETURN_IF_FAILED(WriteText(kSettingsKey, kSearchAddressValue, settings.searchAddress));
  }
  RETURN_IF_FAILED(WriteText(kSettingsKey, kFocusKeyValue, settings.focusKey));
  RETURN_IF_FAILED(WriteSetting(kSuggestionsValue, settings.suggestions ? 1 : 0));
  RETURN_IF_FAILED(WriteSetting(kHistoryValue, settings.history ? 1 : 0));
  if (!settings.history) RETURN_IF_FAILED(ForgetRecentSearches());
  RETURN_IF_FAILED(DeleteKeyTree(kKeywordsKey));
  RETURN_IF_FAILED(DeleteKeyTree(kEngineNamesKey));
  RETURN_IF_FAILED(DeleteKeyTree(kSuggestAddressesKey));
  for (const UserEngine& engine : settings.engines) {
    RETURN_IF_FAILED(WriteText(kKeywordsKey, engine.keyword.c_str(), engine.address));
    RETURN_IF_FAILED(WriteText(kEngineNamesKey, engine.keyword.c_str(), engine.name));
    if (!engine.suggestAddress.empty())
      RETURN_IF_FAILED(
          WriteText(kSuggestAddressesKey, engine.keyword.c_str(), engine.suggestAddress));
  }
  return S_OK;
}

HRESULT ForgetRecentSearches() { return DeleteSetting(kRecentSearchesValue); }

void AnnounceSettingsChange() {
  UINT message = RegisterWindowMessageW(kSettingsChangedMessage);
  if (message == 0) return;
  PostToSessionBands(message);
  for (HWND strip = FindWindowExW(nullptr, nullptr, kStripWindowClass, nullptr); strip != nullptr;
       strip = FindWindowExW(nullptr, strip, kStripWindowClass, nullptr))
    PostMessageW(strip, message, 0, 0);
}

}  // namespace corvane::program
