#include "program/program_settings.h"

#include <string>

#include "program/program_arguments.h"
#include "res/product.h"
#include "support/hresult.h"
#include "support/settings_store.h"
#include "support/windows_handles.h"

namespace corvane::program {
namespace {

// Removing what is not there is no failure.
HRESULT DeleteRunValue(HKEY root) {
  return FromWin32Removal(RegDeleteKeyValueW(root, kRunKey, kRunValue));
}

bool HasRunValue(HKEY root) {
  return RegGetValueW(root, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

HRESULT SetUserDeclinesStart(bool declines) {
  return declines ? WriteNumberSetting(Setting::kStartWithWindows, 0)
                  : RemoveSetting(Setting::kStartWithWindows);
}

HRESULT WriteUserRunValue() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
  RETURN_LAST_ERROR_IF(length == 0 || length >= ARRAYSIZE(path) - 1);
  // Quoted, so that a path with spaces is not read as a program and arguments.
  std::wstring command = L"\"" + std::wstring(path, length) + L"\" " +
                         reinterpret_cast<const wchar_t*>(kStartupSwitch);
  return FromWin32(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, command.c_str(),
                                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))));
}

// Each session's strip takes its own row: the value's name is the session.
std::wstring SessionValueName() {
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  return std::to_wstring(session);
}

// A monitor's row in this session: "SESSION MONITOR".
std::wstring TakenRowName(const std::wstring& monitor) {
  return SessionValueName() + L" " + monitor;
}

// This session's rows, and the one an earlier version kept under the
// session's name alone.
std::vector<std::wstring> SessionsTakenRowNames() {
  std::vector<std::wstring> names;
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kTakenRowKey, 0, KEY_QUERY_VALUE, key.Put()) !=
      ERROR_SUCCESS)
    return names;
  const std::wstring session = SessionValueName();
  wchar_t name[256] = {};
  for (DWORD index = 0;; ++index) {
    DWORD units = ARRAYSIZE(name);
    if (RegEnumValueW(key.Get(), index, name, &units, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    const std::wstring found(name, units);
    if (found == session || found.rfind(session + L" ", 0) == 0) names.push_back(found);
  }
  return names;
}

}  // namespace

// Stored as two's complement.
HRESULT WriteStripPlace(POINT place) {
  RETURN_IF_FAILED(WriteNumberSetting(Setting::kStripLeft, static_cast<DWORD>(place.x)));
  return WriteNumberSetting(Setting::kStripTop, static_cast<DWORD>(place.y));
}

HRESULT ForgetStripPlace() {
  RETURN_IF_FAILED(RemoveSetting(Setting::kStripLeft));
  return RemoveSetting(Setting::kStripTop);
}

HRESULT RememberTakenRow(const std::wstring& monitor, const TakenRow& taken) {
  const LONG record[] = {static_cast<LONG>(taken.edge), taken.row.left, taken.row.top,
                         taken.row.right, taken.row.bottom};
  UniqueRegistryKey key;
  RETURN_IF_FAILED(
      FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, kTakenRowKey, 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_SET_VALUE, nullptr, key.Put(), nullptr)));
  return FromWin32(RegSetValueExW(key.Get(), TakenRowName(monitor).c_str(), 0, REG_BINARY,
                                  reinterpret_cast<const BYTE*>(record), sizeof record));
}

std::vector<TakenRow> ReadTakenRows() {
  std::vector<TakenRow> rows;
  for (const std::wstring& name : SessionsTakenRowNames()) {
    LONG record[5] = {};
    DWORD bytes = sizeof record;
    if (RegGetValueW(HKEY_CURRENT_USER, kTakenRowKey, name.c_str(), RRF_RT_REG_BINARY, nullptr,
                     record, &bytes) != ERROR_SUCCESS ||
        bytes != sizeof record || record[0] < static_cast<LONG>(TaskbarEdge::Left) ||
        record[0] > static_cast<LONG>(TaskbarEdge::Bottom))
      continue;
    rows.push_back(
        {static_cast<TaskbarEdge>(record[0]), {record[1], record[2], record[3], record[4]}});
  }
  return rows;
}

HRESULT ForgetTakenRow(const std::wstring& monitor) {
  return FromWin32Removal(
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kTakenRowKey, TakenRowName(monitor).c_str()));
}

HRESULT ForgetTakenRows() {
  HRESULT result = S_OK;
  for (const std::wstring& name : SessionsTakenRowNames()) {
    const HRESULT removed =
        FromWin32Removal(RegDeleteKeyValueW(HKEY_CURRENT_USER, kTakenRowKey, name.c_str()));
    if (FAILED(removed)) result = removed;
  }
  return result;
}

bool StartsWithWindows() {
  const Settings settings = ReadSettings();
  if (settings.IsFixed(Setting::kStartWithWindows) || HasRunValue(HKEY_LOCAL_MACHINE))
    return !settings.declinesStart;
  return HasRunValue(HKEY_CURRENT_USER);
}

bool StartWithWindowsFixed() { return ReadSettings().IsFixed(Setting::kStartWithWindows); }

HRESULT FollowStartPolicy() {
  const Settings settings = ReadSettings();
  if (!settings.IsFixed(Setting::kStartWithWindows)) return S_FALSE;
  if (settings.declinesStart) return DeleteRunValue(HKEY_CURRENT_USER);
  if (HasRunValue(HKEY_LOCAL_MACHINE) || HasRunValue(HKEY_CURRENT_USER)) return S_OK;
  return WriteUserRunValue();
}

HRESULT SetStartWithWindows(bool start) {
  RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_ACCESS_DISABLED_BY_POLICY), StartWithWindowsFixed());
  if (HasRunValue(HKEY_LOCAL_MACHINE)) {
    // The machine's value starts it: a value of the user's own would start
    // it twice.
    RETURN_IF_FAILED(DeleteRunValue(HKEY_CURRENT_USER));
    return SetUserDeclinesStart(!start);
  }
  return start ? WriteUserRunValue() : DeleteRunValue(HKEY_CURRENT_USER);
}

}  // namespace corvane::program
