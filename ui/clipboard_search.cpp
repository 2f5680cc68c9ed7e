#include "ui/clipboard_search.h"

#include <utility>

#include "band/band_record.h"
#include "res/product.h"
#include "support/memory.h"
#include "support/system_library.h"
#include "support/ui_module.h"
#include "ui/clipboard_query.h"
#include "ui/focus_key_hook.h"
#include "ui/query_submission.h"

namespace corvane {
namespace {

// The clipboard's text as the box would take it, read by CORVANEUI.DLL;
// null when it holds none to search.
UniqueMemory<wchar_t> ReadPastedQuery(const BandRecord* band) {
  const LRESULT limit = SendMessageW(band->searchEdit, EM_GETLIMITTEXT, 0, 0);
  ReadClipboardQueryFunction read = nullptr;
  if (limit <= 0 || !FindFunction(UiModule(), kReadClipboardQueryExport, &read)) return {};
  const size_t units = static_cast<size_t>(limit);
  UniqueMemory<wchar_t> query(AllocArray<wchar_t>(units + 1));
  if (!query || !read(band->bandWindow, query.Get(), units)) return {};
  return query;
}

// The box takes the focus as the focus key gives it; a strip out of sight
// (Corvane.exe's, shown only when called) is asked to come first.
void CallBox(const BandRecord* band) {
  if (ClickFocusTargetInFront()) return;
  HWND host = GetAncestor(band->bandWindow, GA_ROOT);
  wchar_t hostClass[64] = {};
  if (host != nullptr && GetClassNameW(host, hostClass, ARRAYSIZE(hostClass)) > 0 &&
      lstrcmpW(hostClass, kStripWindowClass) == 0)
    PostMessageW(host, RegisterWindowMessageW(kFocusSearchBoxMessage), 0, 0);
}

}  // namespace

void SearchClipboard(BandRecord* band) {
  UniqueMemory<wchar_t> query = ReadPastedQuery(band);
  if (!query) return CallBox(band);
  LaunchQuery(band, std::move(query));
}

}  // namespace corvane
