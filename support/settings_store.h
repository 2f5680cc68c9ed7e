// The per-user settings key (kSettingsKey under HKEY_CURRENT_USER), which the
// band and Corvane.exe share: numbers are REG_DWORD, texts REG_SZ.
#pragma once
#include <windows.h>

#include "res/product.h"
#include "support/memory.h"

namespace corvane {

// true when `name` holds a four-byte REG_DWORD; only then stores it.
bool ReadSetting(const wchar_t* name, DWORD* value);
// A setting the user turns on: a REG_DWORD other than 0; absent means off.
inline bool ReadFlagSetting(const wchar_t* name) {
  DWORD value = 0;
  return ReadSetting(name, &value) && value != 0;
}
// The REG_SZ value `name` of `key` (a path under HKEY_CURRENT_USER),
// terminated, in a block of kMaxTextSetting + 1 units. An absent key or value, another
// type or a text of kMaxTextSetting units or more is an error, and *text is then empty.
constexpr DWORD kMaxTextSetting = 8192;
HRESULT ReadTextSetting(const wchar_t* key, const wchar_t* name, UniqueMemory<wchar_t>* text);
// Calls `visit` with each value name of `key` (a path under
// HKEY_CURRENT_USER) of at most `kMaxSettingName` units, in the registry's
// order, until it answers false. An absent key has no names.
constexpr DWORD kMaxSettingName = 255;
using SettingNameVisitor = bool (*)(const wchar_t* name, void* context);
HRESULT VisitSettingNames(const wchar_t* key, SettingNameVisitor visit, void* context);
// Creates the key when it is missing.
HRESULT WriteSetting(const wchar_t* name, DWORD value);
// A value that is not there is no failure. (Its own source file: the band
// never removes a value, and the DLL imports no call it does not make.)
HRESULT DeleteSetting(const wchar_t* name);

// Whether the band shows its Go button. 1 when a valid value was found; only
// then, and only for a non-null target, stores 1 (shown) or 0 (hidden).
inline BOOL ReadShowGoButton(BOOL* show) {
  DWORD value = 0;
  if (!ReadSetting(kShowGoButtonValue, &value)) return FALSE;
  if (show != nullptr) *show = value != 0 ? TRUE : FALSE;
  return TRUE;
}
// Stores 1 or 0. 1 when stored.
inline BOOL WriteShowGoButton(BOOL show) {
  return SUCCEEDED(WriteSetting(kShowGoButtonValue, show ? 1 : 0)) ? TRUE : FALSE;
}

}  // namespace corvane
