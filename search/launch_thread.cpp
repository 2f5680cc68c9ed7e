#include "search/launch_thread.h"

#include <objbase.h>

#include <new>

#include "search/launch_web_search.h"
#include "search/recent_search_store.h"
#include "support/bounded_string.h"
#include "support/memory.h"
#include "support/module_thread.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

struct Launch {
  HWND owner;
  LaunchNotice notice;
  UniqueMemory<wchar_t> query;
};

void Run(void* parameter) {
  Launch* launch = static_cast<Launch*>(parameter);
  // The shell hands some addresses to handlers of its own through COM.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (LaunchWebSearch(launch->owner, launch->query.Get(), kLaunchModeWebSearch) == kLaunchOpened) {
    RememberSearch(launch->query.Get());
    PostMessageW(launch->notice.window, launch->notice.message, launch->notice.wParam, 0);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  delete launch;
}

}  // namespace

bool LaunchWebSearchOnThread(HWND ownerWindow, const wchar_t* query, const LaunchNotice& notice) {
  auto* launch = new (std::nothrow) Launch{ownerWindow, notice, {}};
  if (launch == nullptr) return false;
  const size_t units = BoundedLength(AsUtf16(query), kMaxBoundedCount) + 1;
  launch->query.Reset(AllocArray<wchar_t>(units));
  if (!launch->query ||
      BoundedCopy(AsUtf16(launch->query.Get()), units, AsUtf16(query)) != kResultOk ||
      !StartModuleThread(Run, launch)) {
    delete launch;
    return false;
  }
  return true;
}

}  // namespace corvane
