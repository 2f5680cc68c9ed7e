#include "program/engine_columns.h"

#include <commctrl.h>

#include "support/windows_handles.h"

namespace corvane::program {
namespace {

// Pixels `text` takes in the font of `control`.
int TextWidth(HWND control, const std::wstring& text) {
  WindowDc dc(control);
  if (dc.Get() == nullptr) return 0;
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font != nullptr ? SelectObject(dc.Get(), font) : nullptr;
  SIZE size = {};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  if (previous != nullptr) SelectObject(dc.Get(), previous);
  return size.cx;
}

}  // namespace

void SetUpEngineColumns(HWND list, std::array<std::wstring, 3> headings) {
  int index = 0;
  for (std::wstring& text : headings) {
    LVCOLUMNW entry = {};
    entry.mask = LVCF_TEXT;
    entry.pszText = &text[0];
    ListView_InsertColumn(list, index++, &entry);
  }
  // The header's margins on either side, and room for a last letter drawn a
  // little past its measured width: two letters.
  ListView_SetColumnWidth(list, 1, TextWidth(ListView_GetHeader(list), headings[1] + L"MM"));
  RECT client = {};
  GetClientRect(list, &client);
  const int rest = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL) -
                   ListView_GetColumnWidth(list, 1);
  ListView_SetColumnWidth(list, 0, rest / 3);
  ListView_SetColumnWidth(list, 2, rest - rest / 3);
}

}  // namespace corvane::program
