// Stands in for a browser in tests and headless runs: registered as the
// https handler, it appends each address it is asked to open to a log file
// (%CORVANE_URL_LOG%, else %TEMP%\corvane-urls.log) and prints it. It never
// touches the network.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

bool Utf8(const wchar_t* text, char* out, int capacity) {
  return WideCharToMultiByte(CP_UTF8, 0, text, -1, out, capacity, nullptr,
                             nullptr) > 0;
}

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
  static char address[65536];
  if (!Utf8(argv[1], address, sizeof address)) return 3;
  wchar_t path[MAX_PATH + 1] = {};
  LogPath(path, MAX_PATH);
  // Appending whole lines through one handle keeps concurrent launches apart.
  HANDLE log = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ |
                           FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 4;
  size_t length = strlen(address);
  address[length] = '\n';
  DWORD written = 0;
  BOOL ok = WriteFile(log, address, static_cast<DWORD>(length + 1), &written,
                      nullptr);
  CloseHandle(log);
  fwrite(address, 1, length + 1, stdout);
  return ok ? 0 : 5;
}
