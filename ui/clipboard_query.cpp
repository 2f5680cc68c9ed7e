#include "ui/clipboard_query.h"

#include "search/pasted_query.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

namespace corvane {

bool ReadClipboardQuery(HWND owner, wchar_t* query, std::size_t limit) {
  OpenClipboardFor clipboard(owner);
  if (!clipboard.IsOpen() || !IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  LockedGlobal text(GetClipboardData(CF_UNICODETEXT));
  if (text.Bytes() == nullptr) return false;
  return PastedQuery(static_cast<const char16_t*>(text.Bytes()), text.Size() / sizeof(wchar_t),
                     AsUtf16(query), limit) > 0;
}

}  // namespace corvane
