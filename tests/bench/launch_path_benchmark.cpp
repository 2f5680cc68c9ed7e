// Times everything a search launch does short of the shell call (domain
// choice with Firefox as the default browser and a 100 KB prefs.js, UTF-8
// conversion, encoding) beside the bare reads that path cannot avoid: the
// two registry values, the environment, the directory search and the file;
// and, side by side with it, the launch with an engine of the user's.
#include <windows.h>

#include <cstdio>
#include <string>

#include "res/product.h"
#include "search/launch_address.h"
#include "search/launch_web_search.h"
#include "support/memory.h"

namespace {

HKEY MakeScratchRoot(const wchar_t* name, HKEY predefined) {
  std::wstring path = std::wstring(L"Software\\CorvaneBench\\") + name;
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegOverridePredefKey(predefined, key);
  return key;
}

void SetDefault(const wchar_t* key, const wchar_t* text) {
  RegSetValueW(HKEY_CLASSES_ROOT, key, REG_SZ, text,
               static_cast<DWORD>(wcslen(text) * sizeof(wchar_t)));
}

std::wstring MakeProfile() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring appData = std::wstring(temp) + L"corvane-bench";
  std::wstring folder = appData;
  for (const wchar_t* part : {L"", L"\\Mozilla", L"\\Firefox", L"\\Profiles", L"\\b3nch.default"}) {
    folder += part;
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  std::string prefs;
  for (int i = 0; prefs.size() < 100 * 1024; ++i)
    prefs += "user_pref(\"extensions.some.setting." + std::to_string(i) +
             "\", \"value-of-a-typical-length\");\r\n";
  prefs += "user_pref(\"browser.startup.homepage\", \"http://www.google.co.uk/\");\r\n";
  HANDLE file = CreateFileW((folder + L"\\prefs.js").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, prefs.data(), static_cast<DWORD>(prefs.size()), &written, nullptr);
  CloseHandle(file);
  SetEnvironmentVariableW(L"APPDATA", appData.c_str());
  return folder + L"\\prefs.js";
}

void BareReads() {
  wchar_t value[4096];
  LONG size = 4095;
  RegQueryValueW(HKEY_CLASSES_ROOT, L"http\\shell", value, &size);
  size = 4095;
  RegQueryValueW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", value, &size);
  wchar_t path[MAX_PATH + 1];
  GetEnvironmentVariableW(L"APPDATA", path, MAX_PATH + 1);
  wcscat(path, L"\\Mozilla\\Firefox\\Profiles\\*.default");
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path, &found);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  *wcsrchr(path, L'\\') = 0;
  wcscat(path, L"\\");
  wcscat(path, found.cFileName);
  wcscat(path, L"\\prefs.js");
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD bytes = GetFileSize(file, nullptr);
  char* buffer = static_cast<char*>(corvane::AllocZeroed(bytes + 1, 1));
  DWORD got = 0;
  ReadFile(file, buffer, bytes, &got, nullptr);
  CloseHandle(file);
  corvane::FreeMemory(buffer);
}

void LaunchPath() {
  char16_t* address = nullptr;
  corvane::BuildLaunchAddress(L"Gr\u00FC\u00DFe aus C++ und mehr", &address);
  corvane::FreeMemory(address);
}

constexpr wchar_t kUserEngine[] = L"https://www.bing.com/search?q={searchTerms}&form=QBLH";

void UseUserEngine(bool use) {
  HKEY settings = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, corvane::kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &settings, nullptr);
  if (use)
    RegSetValueExW(settings, corvane::kSearchAddressValue, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(kUserEngine), sizeof kUserEngine);
  else
    RegDeleteValueW(settings, corvane::kSearchAddressValue);
  RegCloseKey(settings);
}

template <class F>
double MicrosecondsPerCall(F f, int calls) {
  LARGE_INTEGER frequency, start, stop;
  QueryPerformanceFrequency(&frequency);
  f();  // warm the caches
  QueryPerformanceCounter(&start);
  for (int i = 0; i < calls; ++i) f();
  QueryPerformanceCounter(&stop);
  return (stop.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart / calls;
}

}  // namespace

int main() {
  HKEY classes = MakeScratchRoot(L"Classes", HKEY_CLASSES_ROOT);
  HKEY user = MakeScratchRoot(L"User", HKEY_CURRENT_USER);
  SetDefault(L"http\\shell\\open\\command",
             L"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -url \"%1\"");
  MakeProfile();
  char16_t* address = nullptr;
  corvane::BuildLaunchAddress(L"check", &address);
  std::printf("address: %ls\n", reinterpret_cast<wchar_t*>(address));
  corvane::FreeMemory(address);

  const int calls = 2000;
  double bare = 0, launch = 0, engine = 0;
  for (int round = 0; round < 3; ++round) {  // interleaved, best of three
    double b = MicrosecondsPerCall(BareReads, calls);
    double l = MicrosecondsPerCall(LaunchPath, calls);
    UseUserEngine(true);
    double e = MicrosecondsPerCall(LaunchPath, calls);
    UseUserEngine(false);
    if (round == 0 || b < bare) bare = b;
    if (round == 0 || l < launch) launch = l;
    if (round == 0 || e < engine) engine = e;
  }
  std::printf("bare reads:  %8.1f us per search\n", bare);
  std::printf("launch path: %8.1f us per search\n", launch);
  std::printf("ratio:       %8.2f\n", launch / bare);
  std::printf("launch path with the user's engine: %8.1f us per search\n", engine);
  std::printf("ratio to the launch path:           %8.2f\n", engine / launch);
  RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(classes);
  RegCloseKey(user);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\CorvaneBench");
  return 0;
}
