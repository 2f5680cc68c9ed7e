#include "ui/search_box.h"

#include "band/band_record.h"
#include "res/product.h"
#include "support/system_library.h"
#include "support/ui_module.h"
#include "support/windows_handles.h"
#include "ui/band_accessibility.h"
#include "ui/band_lookup.h"
#include "ui/box_menu.h"
#include "ui/clipboard_search.h"
#include "ui/query_submission.h"
#include "ui/suggestion_session.h"

namespace corvane {
namespace {

BandRecord* BandOfEdit(HWND edit) { return BandFromWindow(GetParent(edit)); }

// The procedure the edit had before it was subclassed, kept by its band. The
// band window lets go of its band only once its children are gone, so an
// edit always finds one; without it the edit is answered as a plain window.
LRESULT CallOwnProcedure(WNDPROC own, HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return own != nullptr ? CallWindowProcW(own, edit, message, wParam, lParam)
                        : DefWindowProcW(edit, message, wParam, lParam);
}

bool IsLineBreakCharacter(WPARAM character) { return character == L'\r' || character == L'\n'; }

// In the dark taskbar the box's edge is flat, in the mode's colours: the
// system's sunken edge is drawn in light 3-D colours.
void PaintFlatEdge(HWND edit, const BandRecord* band) {
  RECT window = {};
  GetWindowRect(edit, &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  WindowDc dc(edit);
  UniqueGdiObject<HBRUSH> outer(CreateSolidBrush(band->colours.boxEdge));
  if (dc.Get() == nullptr || !outer || !band->boxBrush) return;
  for (int inset = 0; inset < GetSystemMetrics(SM_CXEDGE); ++inset) {
    const RECT ring = {inset, inset, width - inset, height - inset};
    FrameRect(dc.Get(), &ring, inset == 0 ? outer.Get() : band->boxBrush.Get());
  }
}

// The box's own menu, where CORVANEUI.DLL shows it (else the edit keeps its
// own), and the choice carried out on the search box.
bool ShowBoxMenu(BandRecord* band, POINT screen) {
  TrackBoxMenuFunction track = nullptr;
  if (!FindFunction(UiModule(), kTrackBoxMenuExport, &track)) return false;
  const UINT command = track(band->searchEdit, band->bandWindow, screen);
  if (command == kPasteAndSearchCommand) {
    SearchClipboard(band);
    return true;
  }
  // The closed box opens first, as a click would.
  if (command != 0 && !IsWindowVisible(band->searchEdit)) SetFocus(band->hintEdit);
  if (command == EM_SETSEL)
    SendMessageW(band->searchEdit, EM_SETSEL, 0, -1);
  else if (command != 0)
    SendMessageW(band->searchEdit, command, 0, 0);
  return true;
}

// What both edits answer alike: their accessible object, their edge, the
// box's own menu for a right-click, and the band's menu for the menu key or
// Shift+F10. The band's menu is its host's, as for a right-click on the
// band: asked of the host through the band window, at the box.
bool AnswerAsBox(BandRecord* band, HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                 LRESULT* answer) {
  if (message == WM_GETOBJECT)
    return band->accessibility && band->accessibility->AnswerBox(edit, wParam, lParam, answer);
  if (message == WM_NCPAINT && band->colours.flatEdge) {
    PaintFlatEdge(edit, band);
    *answer = 0;
    return true;
  }
  if (message != WM_CONTEXTMENU) return false;
  *answer = 0;
  if (lParam != -1)
    return ShowBoxMenu(band,
                       {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
  RECT box = {};
  GetWindowRect(edit, &box);
  HWND bandWindow = GetParent(edit);
  *answer = DefWindowProcW(bandWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bandWindow),
                           MAKELPARAM(box.left, box.bottom));
  return true;
}

}  // namespace

WNDPROC SubclassEdit(HWND edit, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LRESULT CALLBACK SearchEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  BandRecord* band = BandOfEdit(edit);
  LRESULT answer = 0;
  if (band != nullptr && AnswerAsBox(band, edit, message, wParam, lParam, &answer)) return answer;
  if (band != nullptr && message == WM_KEYDOWN && wParam == VK_RETURN) {
    SubmitQuery(band, FALSE);
    return 0;
  }
  SuggestionSession* suggestions = band != nullptr ? band->suggestionSession : nullptr;
  if (suggestions && message == WM_KEYDOWN && suggestions->OnKey(wParam)) return 0;
  if (band != nullptr && message == WM_KEYDOWN && wParam == VK_ESCAPE)
    ReportBoxDone(band, kBoxDoneEscaped);
  // Enter's character message would put a line break into the emptied box,
  // Esc's a character the box cannot show.
  if (message == WM_CHAR && (IsLineBreakCharacter(wParam) || wParam == VK_ESCAPE)) return 0;
  LRESULT result = CallOwnProcedure(band != nullptr ? band->searchEditOldProc : nullptr, edit,
                                    message, wParam, lParam);
  if (suggestions && message == WM_SETFOCUS) suggestions->OnTextEdited();
  if (band != nullptr && message == WM_KILLFOCUS) {
    if (suggestions) suggestions->Close();
    SetWindowTextW(band->hintEdit, band->hint);
    ShowWindow(band->hintEdit, SW_SHOW);
    ShowWindow(edit, SW_HIDE);
  }
  return result;
}

LRESULT CALLBACK HintEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  BandRecord* band = BandOfEdit(edit);
  LRESULT answer = 0;
  if (band != nullptr && AnswerAsBox(band, edit, message, wParam, lParam, &answer)) return answer;
  LRESULT result = CallOwnProcedure(band != nullptr ? band->hintEditOldProc : nullptr, edit,
                                    message, wParam, lParam);
  if (band != nullptr && message == WM_SETFOCUS) {
    ShowWindow(band->searchEdit, SW_SHOW);
    ShowWindow(edit, SW_HIDE);
    SetFocus(band->searchEdit);
  }
  return result;
}

}  // namespace corvane
