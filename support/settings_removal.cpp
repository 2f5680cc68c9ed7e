#include "res/product.h"
#include "support/hresult.h"
#include "support/settings_store.h"

namespace corvane {

HRESULT DeleteSetting(const wchar_t* name) {
  LONG status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name);
  return status == ERROR_FILE_NOT_FOUND ? S_OK : FromWin32(status);
}

}  // namespace corvane
