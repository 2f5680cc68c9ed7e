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
  LaunchNotices notices;
  UniqueMemory<wchar_t> query;
};

void Post(const LaunchNotice& notice) {
  PostMessageW(notice.window, notice.message, notice.wParam, 0);
}

void Run(void* parameter) {
  Launch* launch = static_cast<Launch*>(parameter);
  // The shell hands some addresses to handlers of its own through COM.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const int result = LaunchWebSearch(launch->owner, launch->query.Get(), kLaunchModeWebSearch);
  if (result == kLaunchOpened) {
    RememberSearch(launch->query.Get());
    Post(launch->notices.opened);
  } else if (result == kLaunchFailed) {
    Post(launch->notices.failed);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  delete launch;
}

}  // namespace

bool LaunchWebSearchOnThread(HWND ownerWindow, const wchar_t* query, const LaunchNotices& notices) {
  auto* launch = new (std::nothrow) Launch{ownerWindow, notices, {}};
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
