// Stands in for a browser in tests and headless runs: registered as the
// https handler, it appends each address it is asked to open to a log file
// (%CORVANE_URL_LOG%, else %TEMP%\corvane-urls.log). It never touches the
// network. A window program, as browsers are: with
// %CORVANE_RECORDER_START_MS% it takes that long to start, and only then
// writes the address and comes to wait for input.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "support/windows_handles.h"
#include "tests/support/win/utf8_text.h"

namespace {

void LogPath(wchar_t* path, DWORD capacity) {
  DWORD n = GetEnvironmentVariableW(L"CORVANE_URL_LOG", path, capacity);
  if (n > 0 && n < capacity) return;
  n = GetTempPathW(capacity, path);
  if (n == 0 || n + 20 >= capacity) path[0] = 0;
  wcscat(path, L"corvane-urls.log");
}

void TakeTimeToStart() {
  wchar_t milliseconds[16] = {};
  const DWORD units = GetEnvironmentVariableW(L"CORVANE_RECORDER_START_MS", milliseconds, 16);
  if (units > 0 && units < 16) Sleep(static_cast<DWORD>(_wtoi(milliseconds)));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 2) return 2;
  TakeTimeToStart();
  std::string address = corvane::host::Utf8(__wargv[1]);
  if (address.empty() && __wargv[1][0] != 0) return 3;
  wchar_t path[MAX_PATH + 1] = {};
  LogPath(path, MAX_PATH);
  // Appending whole lines through one handle keeps concurrent launches apart.
  corvane::UniqueFile log(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log) return 4;
  address += '\n';
  DWORD written = 0;
  BOOL ok =
      WriteFile(log.Get(), address.data(), static_cast<DWORD>(address.size()), &written, nullptr);
  // Started and waiting for input: what the shell waits for.
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  return ok ? 0 : 5;
}
