#include "tests/support/win/taskbar_mode.h"

#include "res/product.h"
#include "support/windows_handles.h"

namespace corvane::test {

void TaskbarMode::Set(const DWORD* light) {
  UniqueRegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      key.Put(), nullptr) == ERROR_SUCCESS) {
    if (light != nullptr)
      RegSetValueExW(key.Get(), kSystemUsesLightThemeValue, 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(light), sizeof *light);
    else
      RegDeleteValueW(key.Get(), kSystemUsesLightThemeValue);
  }
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                      reinterpret_cast<LPARAM>(kColourSetChange), SMTO_ABORTIFHUNG, 5000, nullptr);
}

}  // namespace corvane::test
