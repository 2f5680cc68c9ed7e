#include "program/program_settings.h"

#include <string>

#include "program/program_arguments.h"
#include "support/hresult.h"
#include "support/windows_handles.h"

namespace corvane::program {
namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Ostrand\\Corvane\\1.0";
const wchar_t kStripLeft[] = L"StripLeft";
const wchar_t kStripTop[] = L"StripTop";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValue[] = L"Corvane";
// 0: this user does not want the machine's Run value to start Corvane.
const wchar_t kStartWithWindows[] = L"StartWithWindows";

bool ReadCoordinate(HKEY key, const wchar_t* name, LONG* coordinate) {
  DWORD data = 0, type = 0, size = sizeof data;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data)
    return false;
  *coordinate = static_cast<LONG>(data);  // stored as two's complement
  return true;
}

HRESULT WriteCoordinate(HKEY key, const wchar_t* name, LONG coordinate) {
  DWORD data = static_cast<DWORD>(coordinate);
  return FromWin32(
      RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data));
}

// Removing what is not there is no failure.
HRESULT DeleteValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  LONG status = RegDeleteKeyValueW(root, key, name);
  return status == ERROR_FILE_NOT_FOUND ? S_OK : FromWin32(status);
}

bool HasRunValue(HKEY root) {
  return RegGetValueW(root, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool UserDeclinesStart() {
  DWORD start = 1, size = sizeof start;
  return RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindows, RRF_RT_REG_DWORD, nullptr,
                      &start, &size) == ERROR_SUCCESS &&
         start == 0;
}

HRESULT SetUserDeclinesStart(bool declines) {
  if (!declines) return DeleteValue(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindows);
  DWORD start = 0;
  return FromWin32(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindows, REG_DWORD,
                                   &start, sizeof start));
}

HRESULT WriteUserRunValue() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
  if (length == 0 || length >= ARRAYSIZE(path) - 1) return LastErrorResult();
  // Quoted, so that a path with spaces is not read as a program and arguments.
  std::wstring command = L"\"" + std::wstring(path, length) + L"\" " +
                         reinterpret_cast<const wchar_t*>(kStartupSwitch);
  return FromWin32(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, command.c_str(),
                                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))));
}

}  // namespace

bool ReadStripPlace(POINT* place) {
  UniqueRegistryKey key;
  POINT read = {};
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS ||
      !ReadCoordinate(key.Get(), kStripLeft, &read.x) ||
      !ReadCoordinate(key.Get(), kStripTop, &read.y))
    return false;
  *place = read;
  return true;
}

HRESULT WriteStripPlace(POINT place) {
  UniqueRegistryKey key;
  RETURN_IF_FAILED(FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, key.Put(), nullptr)));
  RETURN_IF_FAILED(WriteCoordinate(key.Get(), kStripLeft, place.x));
  return WriteCoordinate(key.Get(), kStripTop, place.y);
}

HRESULT ForgetStripPlace() {
  RETURN_IF_FAILED(DeleteValue(HKEY_CURRENT_USER, kSettingsKey, kStripLeft));
  return DeleteValue(HKEY_CURRENT_USER, kSettingsKey, kStripTop);
}

bool StartsWithWindows() {
  if (HasRunValue(HKEY_LOCAL_MACHINE)) return !UserDeclinesStart();
  return HasRunValue(HKEY_CURRENT_USER);
}

HRESULT SetStartWithWindows(bool start) {
  if (HasRunValue(HKEY_LOCAL_MACHINE)) {
    // The machine's value starts it: a value of the user's own would start
    // it twice.
    RETURN_IF_FAILED(DeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue));
    return SetUserDeclinesStart(!start);
  }
  return start ? WriteUserRunValue() : DeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
}

}  // namespace corvane::program
