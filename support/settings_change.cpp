// Changing the settings: Corvane.exe's alone (the band writes nothing but
// its Go button), in a file of its own so that CORVANE.DLL imports none of it.
#include <string>
#include <vector>

#include "res/product.h"
#include "support/bounded_string.h"
#include "support/hresult.h"
#include "support/session_bands.h"
#include "support/settings_store.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

namespace corvane {
namespace {

HRESULT DeleteValue(const wchar_t* key, const wchar_t* name) {
  return FromWin32Removal(RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name));
}

HRESULT SetText(HKEY key, const wchar_t* name, const wchar_t* text, size_t units) {
  return FromWin32(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                  static_cast<DWORD>((units + 1) * sizeof(wchar_t))));
}

// The user's list, below the settings' key.
std::wstring UserListKey(SettingList list) {
  return std::wstring(kSettingsKey) + L"\\" + SettingListKey(list);
}

size_t Units(const wchar_t* text) { return BoundedLength(AsUtf16(text), kMaxSettingTextUnits + 1); }

bool ListHolds(const ListedSetting* entries, size_t count, const wchar_t* keyword) {
  for (size_t at = 0; at < count; ++at)
    if (entries[at].text[0] != L'\0' &&
        CompareStringOrdinal(entries[at].keyword, -1, keyword, -1, TRUE) == CSTR_EQUAL)
      return true;
  return false;
}

// Every value name of the key, whatever its length.
HRESULT ReadValueNames(HKEY key, std::vector<std::wstring>* names) {
  DWORD longest = 0;
  RETURN_IF_FAILED(
      FromWin32(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &longest, nullptr, nullptr, nullptr)));
  std::vector<wchar_t> name(longest + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG status =
        RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return S_OK;
    RETURN_IF_FAILED(FromWin32(status));
    names->emplace_back(name.data(), length);
  }
}

}  // namespace

HRESULT WriteTextSetting(Setting setting, const wchar_t* text) {
  if (text[0] == L'\0') return RemoveSetting(setting);
  const size_t units = Units(text);
  if (!TakesText(setting, units)) return E_INVALIDARG;
  UniqueRegistryKey key;
  RETURN_IF_FAILED(FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, key.Put(), nullptr)));
  return SetText(key.Get(), SettingName(setting), text, units);
}

HRESULT RemoveSetting(Setting setting) { return DeleteValue(kSettingsKey, SettingName(setting)); }

HRESULT WriteListedSettings(SettingList list, const ListedSetting* entries, size_t count) {
  for (size_t at = 0; at < count; ++at) {
    const size_t keywordUnits = BoundedLength(AsUtf16(entries[at].keyword), kMaxKeywordLength + 1);
    if (keywordUnits == 0 || keywordUnits > kMaxKeywordLength ||
        Units(entries[at].text) > kMaxSettingTextUnits)
      return E_INVALIDARG;
  }
  UniqueRegistryKey key;
  RETURN_IF_FAILED(
      FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, UserListKey(list).c_str(), 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, key.Put(), nullptr)));
  for (size_t at = 0; at < count; ++at)
    if (entries[at].text[0] != L'\0')
      RETURN_IF_FAILED(
          SetText(key.Get(), entries[at].keyword, entries[at].text, Units(entries[at].text)));
  return S_OK;
}

HRESULT RemoveUnlistedSettings(SettingList list, const ListedSetting* entries, size_t count) {
  UniqueRegistryKey key;
  const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, UserListKey(list).c_str(), 0,
                                    KEY_SET_VALUE | KEY_QUERY_VALUE, key.Put());
  if (opened == ERROR_FILE_NOT_FOUND) return S_OK;
  RETURN_IF_FAILED(FromWin32(opened));
  std::vector<std::wstring> stored;
  RETURN_IF_FAILED(ReadValueNames(key.Get(), &stored));
  for (const std::wstring& name : stored)
    if (!ListHolds(entries, count, name.c_str()))
      RETURN_IF_FAILED(FromWin32(RegDeleteValueW(key.Get(), name.c_str())));
  return S_OK;
}

HRESULT ForgetRecentSearches() { return DeleteValue(kSettingsKey, kRecentSearchesValue); }

HRESULT AnnounceSettingsChange() {
  const UINT message = RegisterWindowMessageW(kSettingsChangedMessage);
  RETURN_LAST_ERROR_IF(message == 0);
  PostToSessionBands(message);
  for (HWND strip = FindWindowExW(nullptr, nullptr, kStripWindowClass, nullptr); strip != nullptr;
       strip = FindWindowExW(nullptr, strip, kStripWindowClass, nullptr))
    PostMessageW(strip, message, 0, 0);
  return S_OK;
}

}  // namespace corvane
