#include "ui/search_box.h"

#include "band/search_band.h"
#include "res/resource_ids.h"
#include "support/resource_strings.h"
#include "ui/band_window.h"
#include "ui/query_submission.h"

namespace corvane {
namespace {

// The edit's own procedure is kept in the edit itself as well, so that the
// edit keeps working even after its band has let go of the band window.
WNDPROC OwnProcedureOf(HWND edit) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA));
}

SearchBand* BandOfEdit(HWND edit) { return BandFromWindow(GetParent(edit)); }

bool IsLineBreakCharacter(WPARAM character) {
  return character == L'\r' || character == L'\n';
}

}  // namespace

WNDPROC SubclassEdit(HWND edit, WNDPROC procedure) {
  auto own = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(own));
  return own;
}

LRESULT CALLBACK SearchEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  SearchBand* band = BandOfEdit(edit);
  if (band != nullptr && message == WM_KEYDOWN && wParam == VK_RETURN) {
    SubmitQuery(band, FALSE);
    return 0;
  }
  // Enter's character message would put a line break into the emptied box.
  if (message == WM_CHAR && IsLineBreakCharacter(wParam)) return 0;
  LRESULT result = CallWindowProcW(OwnProcedureOf(edit), edit, message, wParam, lParam);
  if (band != nullptr && message == WM_KILLFOCUS) {
    SetWindowTextW(band->hintEdit, LoadResString(IDS_SEARCH_HINT));
    ShowWindow(band->hintEdit, SW_SHOW);
    ShowWindow(edit, SW_HIDE);
  }
  return result;
}

LRESULT CALLBACK HintEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(OwnProcedureOf(edit), edit, message, wParam, lParam);
  SearchBand* band = BandOfEdit(edit);
  if (band != nullptr && message == WM_SETFOCUS) {
    ShowWindow(band->searchEdit, SW_SHOW);
    ShowWindow(edit, SW_HIDE);
    SetFocus(band->searchEdit);
  }
  return result;
}

}  // namespace corvane
