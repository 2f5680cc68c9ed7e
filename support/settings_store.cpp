#include "support/settings_store.h"

#include "support/windows_handles.h"

namespace corvane {
namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Ostrand\\Corvane\\1.0";
const wchar_t kShowGoButtonValue[] = L"ShowGoButton";

}  // namespace

BOOL ReadShowGoButton(BOOL* show) {
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS ||
      !key)
    return FALSE;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  LONG status = RegQueryValueExW(key.Get(), kShowGoButtonValue, nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return FALSE;
  if (show != nullptr) *show = value != 0 ? TRUE : FALSE;
  return TRUE;
}

BOOL WriteShowGoButton(BOOL show) {
  UniqueRegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.Put(), nullptr) != ERROR_SUCCESS ||
      !key)
    return FALSE;
  DWORD value = show ? 1 : 0;
  LONG status = RegSetValueExW(key.Get(), kShowGoButtonValue, 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&value), sizeof value);
  return status == ERROR_SUCCESS ? TRUE : FALSE;
}

}  // namespace corvane
