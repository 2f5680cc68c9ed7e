#include <windows.h>

#include "search/browser_discovery.h"
#include "search/prefs_file.h"
#include "support/bounded_string.h"
#include "support/memory.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// MAX_PATH characters and the terminator.
constexpr size_t kPathUnits = MAX_PATH + 1;

bool AppendToPath(wchar_t* path, const wchar_t* tail,
                  size_t maxTail = kMaxBoundedCount) {
  return BoundedAppend(AsUtf16(path), kPathUnits, AsUtf16(tail), maxTail);
}

bool CutAfterLastBackslash(wchar_t* path) {
  wchar_t* last = nullptr;
  for (size_t i = 0; i < kPathUnits && path[i] != 0; ++i)
    if (path[i] == L'\\') last = path + i;
  if (last == nullptr) return false;
  last[1] = 0;
  return true;
}

// Path of prefs.js in the first profile folder the directory search returns.
bool FindFirefoxPrefsFile(wchar_t* path) {
  DWORD length = GetEnvironmentVariableW(L"APPDATA", path, kPathUnits);
  // A value too long for the buffer reports the size it needs: no home page.
  if (length == 0 || length >= kPathUnits) return false;
  if (!AppendToPath(path, L"\\Mozilla\\Firefox\\Profiles\\*.default"))
    return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return CutAfterLastBackslash(path) &&
         AppendToPath(path, found.cFileName, MAX_PATH) &&
         AppendToPath(path, L"\\prefs.js");
}

// The whole file, zero-terminated, or nullptr (free with FreeMemory).
char* ReadWholeFile(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  DWORD size = GetFileSize(file, nullptr);
  char* bytes = (size == INVALID_FILE_SIZE || size == 0)
                    ? nullptr
                    : AllocArray<char>(static_cast<size_t>(size) + 1);
  DWORD total = 0;
  bool failed = bytes == nullptr;
  while (!failed) {
    DWORD got = 0;
    if (!ReadFile(file, bytes + total, size - total, &got, nullptr))
      failed = true;
    else if (got == 0)
      break;
    else
      total += got;
  }
  CloseHandle(file);
  // A file that shrank while it was read is refused.
  if (!failed && total == size) return bytes;
  FreeMemory(bytes);
  return nullptr;
}

}  // namespace

wchar_t* ReadIeStartPage() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER,
                    L"SOFTWARE\\Microsoft\\Internet Explorer\\Main", 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return nullptr;
  DWORD size = 0;
  if (RegQueryValueExW(key, L"Start Page", nullptr, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    RegCloseKey(key);
    return nullptr;
  }
  // At least one zero unit follows whatever the value holds.
  wchar_t* page = AllocArray<wchar_t>((size + 1) / 2 + 1);
  DWORD type = 0;
  LONG read = page == nullptr
                  ? ERROR_OUTOFMEMORY
                  : RegQueryValueExW(key, L"Start Page", nullptr, &type,
                                     reinterpret_cast<BYTE*>(page), &size);
  RegCloseKey(key);
  if (read == ERROR_SUCCESS && type == REG_SZ) return page;
  FreeMemory(page);
  return nullptr;
}

wchar_t* ReadFirefoxHomePage() {
  wchar_t path[kPathUnits] = {};
  if (!FindFirefoxPrefsFile(path)) return nullptr;
  char* prefs = ReadWholeFile(path);
  if (prefs == nullptr) return nullptr;
  wchar_t* page = AsWide(HomePageFromPrefs(prefs));
  FreeMemory(prefs);
  return page;
}

}  // namespace corvane
