#include "ui/suggestion_list.h"

#include "band/band_record.h"
#include "res/product.h"
#include "res/resource_ids.h"
#include "support/module_state.h"
#include "support/resource_strings.h"
#include "support/wide_text.h"
#include "ui/band_accessibility.h"
#include "ui/band_window.h"
#include "ui/colour_mode.h"
#include "ui/own_window_class.h"
#include "ui/suggestion_placement.h"
#include "ui/suggestions.h"

namespace corvane {
namespace {

// At 96 DPI: the space around a row's text, and the narrowest list.
constexpr int kRowPadding = 4;
constexpr int kMinimumWidth = 280;

LRESULT CALLBACK SuggestionListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int Scaled(const BandRecord* band, int length) { return MulDiv(length, band->dpi, kDefaultDpi); }

int RowHeight(const BandRecord* band) {
  TEXTMETRICW metrics = {};
  if (HDC dc = GetDC(band->searchEdit)) {
    HGDIOBJ previous = SelectObject(dc, band->font);
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(band->searchEdit, dc);
  }
  return metrics.tmHeight + 2 * Scaled(band, kRowPadding);
}

int RowAt(const BandRecord* band, LPARAM point) {
  int row = static_cast<short>(HIWORD(point)) / RowHeight(band);
  return row >= 0 && static_cast<size_t>(row) < band->suggestions.rows.count ? row : -1;
}

RECT RowPlace(const RECT& client, int rowHeight, int row) {
  return {client.left, row * rowHeight, client.right, (row + 1) * rowHeight};
}

void PaintRows(BandRecord* band, HWND window, HDC dc) {
  const BandColours& colours = band->colours;
  RECT client = {};
  GetClientRect(window, &client);
  FillWithColour(dc, client, colours.list);
  HGDIOBJ previousFont = SelectObject(dc, band->font);
  SetBkMode(dc, TRANSPARENT);
  const int height = RowHeight(band), padding = Scaled(band, kRowPadding);
  const SuggestionState& state = band->suggestions;
  for (size_t i = 0; i < state.rows.count; ++i) {
    const int index = static_cast<int>(i);
    const RECT row = RowPlace(client, height, index);
    const bool chosen = index == state.selected;
    if (chosen || index == state.hot)
      FillWithColour(dc, row, chosen ? colours.listChosen : colours.listHot);
    RECT text = {row.left + padding, row.top, row.right - padding, row.bottom};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (state.rows.rows[i].recent) {
      const wchar_t* mark = LoadResString(IDS_RECENT_SEARCH);
      SetTextColor(dc, chosen ? colours.listChosenText : colours.listMark);
      RECT markArea = text;
      DrawTextW(dc, mark, -1, &markArea, format | DT_RIGHT);
      RECT measured = text;
      DrawTextW(dc, mark, -1, &measured, format | DT_CALCRECT);
      text.right -= (measured.right - measured.left) + 2 * padding;
    }
    SetTextColor(dc, chosen ? colours.listChosenText : colours.listText);
    DrawTextW(dc, AsWide(state.rows.rows[i].text), -1, &text, format);
  }
  SelectObject(dc, previousFont);
}

LRESULT CALLBACK SuggestionListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BandRecord* band = BandOfSuggestionList(window);
  if (band == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  // A top-level window, the list hears the system's broadcasts for its band,
  // whose window, a child, hears them only from a host that passes them on.
  if (IsColourChange(message, wParam, lParam)) FollowColourChange(band);
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_GETOBJECT: {
      LRESULT answer = 0;
      if (AnswerListObject(band, wParam, lParam, &answer)) return answer;
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        PaintRows(band, window, dc);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      int row = RowAt(band, lParam);
      if (row != band->suggestions.hot) {
        band->suggestions.hot = row;
        InvalidateRect(window, nullptr, FALSE);
      }
      TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
      return 0;
    }
    case WM_MOUSELEAVE:
      band->suggestions.hot = -1;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      SearchSuggestion(band, RowAt(band, lParam));
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      if (band->suggestions.list == window) band->suggestions.list = nullptr;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHiddenList(BandRecord* band) {
  WNDCLASSW wc = {};
  wc.style = CS_DROPSHADOW;
  wc.lpfnWndProc = SuggestionListProc;
  wc.hInstance = ModuleInstance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kSuggestionListClass;
  if (FAILED(EnsureOwnWindowClass(wc))) return nullptr;
  HWND list =
      CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kSuggestionListClass,
                      nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                      GetAncestor(band->bandWindow, GA_ROOT), nullptr, ModuleInstance, nullptr);
  if (list != nullptr) SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(band));
  return list;
}

ScreenRect ScreenRectOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

BandRecord* BandOfSuggestionList(HWND list) {
  return reinterpret_cast<BandRecord*>(GetWindowLongPtrW(list, GWLP_USERDATA));
}

void CreateSuggestionList(BandRecord* band) {
  if (band->suggestions.list == nullptr) band->suggestions.list = CreateHiddenList(band);
}

void ShowSuggestionList(BandRecord* band) {
  SuggestionState& state = band->suggestions;
  CreateSuggestionList(band);
  if (state.list == nullptr) return;
  const ScreenRect box = ScreenRectOf(band->searchEdit);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(band->searchEdit, MONITOR_DEFAULTTONEAREST), &monitor);
  const ScreenRect screen = {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                             monitor.rcMonitor.bottom};
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  int width = box.Width() > Scaled(band, kMinimumWidth) ? box.Width() : Scaled(band, kMinimumWidth);
  if (width > screen.Width()) width = screen.Width();
  const int height =
      RowHeight(band) * static_cast<int>(state.rows.count) + (frame.bottom - frame.top);
  const ScreenRect place = PlaceSuggestionList(
      box, ScreenRectOf(GetAncestor(band->bandWindow, GA_ROOT)), screen, width, height);
  SetWindowPos(state.list, HWND_TOPMOST, place.left, place.top, place.Width(), place.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(state.list, nullptr, TRUE);
}

RECT SuggestionRowPlace(const BandRecord* band, int row) {
  RECT client = {};
  GetClientRect(band->suggestions.list, &client);
  return RowPlace(client, RowHeight(band), row);
}

void HideSuggestionList(BandRecord* band) {
  if (band->suggestions.list != nullptr) ShowWindow(band->suggestions.list, SW_HIDE);
}

bool IsSuggestionListShown(const BandRecord* band) {
  return band->suggestions.list != nullptr && IsWindowVisible(band->suggestions.list);
}

void RedrawSuggestionList(BandRecord* band) {
  if (band->suggestions.list != nullptr) InvalidateRect(band->suggestions.list, nullptr, FALSE);
}

void AnnounceChosenSuggestion(BandRecord* band) {
  RedrawSuggestionList(band);
  const int chosen = band->suggestions.selected;
  if (band->suggestions.list != nullptr && chosen >= 0)
    NotifyWinEvent(EVENT_OBJECT_SELECTION, band->suggestions.list, OBJID_CLIENT, chosen + 1);
}

void DestroySuggestionList(BandRecord* band) {
  if (band->suggestions.list != nullptr) DestroyWindow(band->suggestions.list);
  band->suggestions.list = nullptr;
}

}  // namespace corvane
