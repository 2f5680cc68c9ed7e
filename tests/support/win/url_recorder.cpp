// Stands in for a browser in tests and headless runs: registered as the
// https handler, it appends each address it is asked to open to a log file
// (%CORVANE_URL_LOG%, else %TEMP%\corvane-urls.log) and prints it. It never
// touches the network.
#include <windows.h>

#include <cstdio>
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::string address = corvane::host::Utf8(argv[1]);
  if (address.empty() && argv[1][0] != 0) return 3;
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
  fwrite(address.data(), 1, address.size(), stdout);
  return ok ? 0 : 5;
}
