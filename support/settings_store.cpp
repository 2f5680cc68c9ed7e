#include "support/settings_store.h"

#include "res/product.h"
#include "support/hresult.h"
#include "support/windows_handles.h"

#include <utility>

namespace corvane {

bool ReadSetting(const wchar_t* name, DWORD* value) {
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
    return false;
  DWORD data = 0;
  DWORD type = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data)
    return false;
  *value = data;
  return true;
}

HRESULT ReadTextSetting(const wchar_t* key, const wchar_t* name, UniqueMemory<wchar_t>* text) {
  text->Reset();
  UniqueMemory<wchar_t> buffer(AllocArray<wchar_t>(kMaxTextSetting + 1));
  if (!buffer) return E_OUTOFMEMORY;
  DWORD bytes = kMaxTextSetting * sizeof(wchar_t);
  RETURN_IF_FAILED(FromWin32(
      RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buffer.Get(), &bytes)));
  *text = std::move(buffer);
  return S_OK;
}

HRESULT VisitSettingNames(const wchar_t* keyPath, SettingNameVisitor visit, void* context) {
  UniqueRegistryKey key;
  const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, key.Put());
  if (opened == ERROR_FILE_NOT_FOUND) return S_OK;
  RETURN_IF_FAILED(FromWin32(opened));
  wchar_t name[kMaxSettingName + 1];
  for (DWORD index = 0;; ++index) {
    DWORD length = ARRAYSIZE(name);
    const LONG result =
        RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) return S_OK;
    if (result == ERROR_MORE_DATA) continue;  // longer than any name of ours
    RETURN_IF_FAILED(FromWin32(result));
    if (!visit(name, context)) return S_OK;
  }
}

HRESULT WriteSetting(const wchar_t* name, DWORD value) {
  UniqueRegistryKey key;
  RETURN_IF_FAILED(FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, key.Put(), nullptr)));
  return FromWin32(RegSetValueExW(key.Get(), name, 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&value), sizeof value));
}

}  // namespace corvane
