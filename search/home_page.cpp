#include <windows.h>

#include <new>

#include "search/browser_discovery.h"
#include "search/prefs_file.h"
#include "support/bounded_string.h"
#include "support/hresult.h"
#include "support/memory.h"
#include "support/module_thread.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

namespace corvane {
namespace {

// MAX_PATH characters and the terminator.
constexpr size_t kPathUnits = MAX_PATH + 1;
// Real profiles' prefs.js hold tens of kilobytes, a few hundred with many
// add-ons; a larger file is not a profile's preferences, and reading it
// would cost every search its time and memory.
constexpr DWORD kMaxPrefsBytes = 4 * 1024 * 1024;
const HRESULT kPathTooLong = HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);

HRESULT AppendToPath(wchar_t* path, const wchar_t* tail, size_t maxTail = kMaxBoundedCount) {
  return BoundedAppend(AsUtf16(path), kPathUnits, AsUtf16(tail), maxTail) ? S_OK : kPathTooLong;
}

HRESULT CutAfterLastBackslash(wchar_t* path) {
  wchar_t* last = nullptr;
  for (size_t i = 0; i < kPathUnits && path[i] != 0; ++i)
    if (path[i] == L'\\') last = path + i;
  if (last == nullptr) return E_INVALIDARG;
  last[1] = 0;
  return S_OK;
}

// Path of prefs.js in the first profile folder the directory search returns.
HRESULT FindFirefoxPrefsFile(wchar_t* path) {
  DWORD length = GetEnvironmentVariableW(L"APPDATA", path, kPathUnits);
  RETURN_LAST_ERROR_IF(length == 0);
  // A value too long for the buffer reports the size it needs: no home page.
  if (length >= kPathUnits) return kPathTooLong;
  RETURN_IF_FAILED(AppendToPath(path, L"\\Mozilla\\Firefox\\Profiles\\*.default"));
  WIN32_FIND_DATAW found;
  RETURN_LAST_ERROR_IF(!UniqueFindHandle(FindFirstFileW(path, &found)));
  RETURN_IF_FAILED(CutAfterLastBackslash(path));
  RETURN_IF_FAILED(AppendToPath(path, found.cFileName, MAX_PATH));
  return AppendToPath(path, L"\\prefs.js");
}

// The whole file, zero-terminated, or nothing.
UniqueMemory<char> ReadWholeFile(const wchar_t* path) {
  UniqueFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE || size == 0 || size > kMaxPrefsBytes) return {};
  UniqueMemory<char> bytes(AllocArray<char>(static_cast<size_t>(size) + 1));
  if (!bytes) return {};
  DWORD total = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.Get() + total, size - total, &got, nullptr)) return {};
    if (got == 0) break;
    total += got;
  }
  // A file that shrank while it was read is refused.
  if (total != size) return {};
  return bytes;
}

}  // namespace

wchar_t* ReadIeStartPage() {
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Internet Explorer\\Main", 0, KEY_READ,
                    key.Put()) != ERROR_SUCCESS)
    return nullptr;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), L"Start Page", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return nullptr;
  // At least one zero unit follows whatever the value holds.
  UniqueMemory<wchar_t> page(AllocArray<wchar_t>((size + 1) / 2 + 1));
  if (!page) return nullptr;
  DWORD type = 0;
  if (RegQueryValueExW(key.Get(), L"Start Page", nullptr, &type,
                       reinterpret_cast<BYTE*>(page.Get()), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return nullptr;
  return page.Detach();
}

wchar_t* ReadFirefoxHomePage() {
  wchar_t path[kPathUnits] = {};
  if (FAILED(FindFirefoxPrefsFile(path))) return nullptr;
  UniqueMemory<char> prefs = ReadWholeFile(path);
  if (!prefs) return nullptr;
  return AsWide(HomePageFromPrefs(prefs.Get()));
}

namespace {

// One read of the Firefox home page on a thread of its own, given up by the
// search when it takes too long; whoever lets go last frees it.
class HomePageRead {
 public:
  static void Run(void* parameter) {
    auto* read = static_cast<HomePageRead*>(parameter);
    read->page.Reset(ReadFirefoxHomePage());
    SetEvent(read->done.Get());
    read->Release();
  }

  bool Start() {
    done.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return done && StartModuleThread(Run, this);
  }
  // The page, when the thread read it within the time.
  wchar_t* Wait(DWORD timeLimitMs) {
    if (WaitForSingleObject(done.Get(), timeLimitMs) != WAIT_OBJECT_0) return nullptr;
    return page.Detach();
  }
  void Release() {
    if (InterlockedDecrement(&references) == 0) delete this;
  }

 private:
  volatile LONG references = 2;  // the search's and the thread's
  UniqueKernelObject done;
  UniqueMemory<wchar_t> page;
};

}  // namespace

wchar_t* ReadFirefoxHomePageWithin(DWORD timeLimitMs) {
  auto* read = new (std::nothrow) HomePageRead;
  if (read == nullptr) return nullptr;
  if (!read->Start()) {
    delete read;
    return nullptr;
  }
  wchar_t* page = read->Wait(timeLimitMs);
  read->Release();
  return page;
}

}  // namespace corvane
