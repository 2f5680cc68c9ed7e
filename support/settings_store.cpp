#include "support/settings_store.h"

namespace corvane {
namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Ostrand\\Corvane\\1.0";
const wchar_t kShowGoButtonValue[] = L"ShowGoButton";

}  // namespace

BOOL ReadShowGoButton(BOOL* show) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) !=
          ERROR_SUCCESS ||
      key == nullptr)
    return FALSE;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  LONG status = RegQueryValueExW(key, kShowGoButtonValue, nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
    return FALSE;
  if (show != nullptr) *show = value != 0 ? TRUE : FALSE;
  return TRUE;
}

BOOL WriteShowGoButton(BOOL show) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS ||
      key == nullptr)
    return FALSE;
  DWORD value = show ? 1 : 0;
  LONG status = RegSetValueExW(key, kShowGoButtonValue, 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&value),
                               sizeof value);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? TRUE : FALSE;
}

}  // namespace corvane
