#include "ui/suggestion_list.h"

#include <oleacc.h>

#include "band/band_record.h"
#include "res/product.h"
#include "support/module_state.h"
#include "support/settings_store.h"
#include "support/wide_text.h"
#include "ui/accessible_answer.h"
#include "ui/accessible_window.h"
#include "ui/colour_mode.h"
#include "ui/own_window_class.h"
#include "ui/suggestion_placement.h"

namespace corvane {
namespace {

// At 96 DPI: the space around a row's text, and the narrowest list.
constexpr int kRowPadding = 4;
constexpr int kMinimumWidth = 280;

ScreenRect ScreenRectOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

SuggestionList::SuggestionList(BandRecord* band, const SuggestionTexts& texts)
    : band(band), texts(texts) {
  MakeWindow();
}

SuggestionList::~SuggestionList() {
  if (window != nullptr) DestroyWindow(window);
}

bool SuggestionList::MakeWindow() {
  if (window != nullptr) return true;
  WNDCLASSW wc = {};
  wc.style = CS_DROPSHADOW;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = ModuleInstance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kSuggestionListClass;
  if (FAILED(EnsureOwnWindowClass(wc))) return false;
  window =
      CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kSuggestionListClass,
                      nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                      GetAncestor(band->bandWindow, GA_ROOT), nullptr, ModuleInstance, nullptr);
  if (window != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return window != nullptr;
}

SuggestionList* SuggestionList::Of(HWND window) {
  return reinterpret_cast<SuggestionList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int SuggestionList::Scaled(int length) const { return MulDiv(length, band->dpi, kDefaultDpi); }

int SuggestionList::RowHeight() const {
  TEXTMETRICW metrics = {};
  if (HDC dc = GetDC(band->searchEdit)) {
    HGDIOBJ previous = SelectObject(dc, band->font);
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(band->searchEdit, dc);
  }
  return metrics.tmHeight + 2 * Scaled(kRowPadding);
}

int SuggestionList::RowAt(LPARAM point) const {
  const int row = static_cast<short>(HIWORD(point)) / RowHeight();
  return rows != nullptr && row >= 0 && static_cast<size_t>(row) < rows->count ? row : -1;
}

RECT SuggestionList::RowPlace(int row) const {
  RECT client = {};
  GetClientRect(window, &client);
  const int height = RowHeight();
  return {client.left, row * height, client.right, (row + 1) * height};
}

void SuggestionList::Paint(HDC dc) {
  const BandColours& colours = band->colours;
  RECT client = {};
  GetClientRect(window, &client);
  FillWithColour(dc, client, colours.list);
  if (rows == nullptr) return;
  HGDIOBJ previousFont = SelectObject(dc, band->font);
  SetBkMode(dc, TRANSPARENT);
  const int padding = Scaled(kRowPadding);
  for (size_t i = 0; i < rows->count; ++i) {
    const int index = static_cast<int>(i);
    const RECT row = RowPlace(index);
    const bool isChosen = index == chosen;
    if (isChosen || index == hot)
      FillWithColour(dc, row, isChosen ? colours.listChosen : colours.listHot);
    RECT text = {row.left + padding, row.top, row.right - padding, row.bottom};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (rows->rows[i].recent) {
      const wchar_t* mark = texts.recentMark;
      SetTextColor(dc, isChosen ? colours.listChosenText : colours.listMark);
      RECT markArea = text;
      DrawTextW(dc, mark, -1, &markArea, format | DT_RIGHT);
      RECT measured = text;
      DrawTextW(dc, mark, -1, &measured, format | DT_CALCRECT);
      text.right -= (measured.right - measured.left) + 2 * padding;
    }
    SetTextColor(dc, isChosen ? colours.listChosenText : colours.listText);
    DrawTextW(dc, AsWide(rows->rows[i].text), -1, &text, format);
  }
  SelectObject(dc, previousFont);
}

long SuggestionList::PartCount(HWND window) {
  const SuggestionList* list = Of(window);
  return list != nullptr && list->rows != nullptr ? static_cast<long>(list->rows->count) : 0;
}

bool SuggestionList::DescribePart(HWND window, long part, AccessiblePart* facts) {
  const SuggestionList* list = Of(window);
  if (list == nullptr) return false;
  if (part == CHILDID_SELF) {
    facts->role = ROLE_SYSTEM_LIST;
    facts->name = list->texts.listName;
    facts->state = IsWindowVisible(window) ? 0 : STATE_SYSTEM_INVISIBLE;
    return true;
  }
  const int row = static_cast<int>(part - 1);
  const SuggestionRow& shown = list->rows->rows[row];
  facts->role = ROLE_SYSTEM_LISTITEM;
  facts->name = AsWide(shown.text);
  if (shown.recent) facts->description = list->texts.recentMark;
  facts->state = STATE_SYSTEM_SELECTABLE |
                 (row == list->chosen ? STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED : 0);
  facts->place = list->RowPlace(row);
  return true;
}

long SuggestionList::ChosenPart(HWND window) {
  const SuggestionList* list = Of(window);
  return list != nullptr ? list->chosen + 1 : 0;
}

LRESULT CALLBACK SuggestionList::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  SuggestionList* list = Of(window);
  return list != nullptr ? list->OnMessage(message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT SuggestionList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  static const AccessibleParts kParts = {PartCount, DescribePart, nullptr, ChosenPart};
  if (IsColourChange(message, wParam, lParam))
    SendMessageW(band->bandWindow, kColoursChangedMessage, 0, 0);
  if (IsPolicyChange(message, lParam)) PostMessageW(band->bandWindow, kPolicyChangedMessage, 0, 0);
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_GETOBJECT: {
      LRESULT answer = 0;
      if (AnswerWithParts(window, wParam, lParam, &kParts, &answer)) return answer;
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        Paint(dc);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      const int row = RowAt(lParam);
      if (row != hot) {
        hot = row;
        InvalidateRect(window, nullptr, FALSE);
      }
      TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
      return 0;
    }
    case WM_MOUSELEAVE:
      hot = -1;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      const int row = RowAt(lParam);
      if (row >= 0) PostMessageW(band->bandWindow, kSuggestionClickedMessage, row, 0);
      return 0;
    }
    case WM_NCDESTROY: {
      HWND gone = window;
      SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
      window = nullptr;
      return DefWindowProcW(gone, message, wParam, lParam);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void SuggestionList::Show(const SuggestionRows* shown, int chosenRow) {
  rows = shown;
  chosen = chosenRow;
  hot = -1;
  if (!MakeWindow()) return;
  const ScreenRect box = ScreenRectOf(band->searchEdit);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(band->searchEdit, MONITOR_DEFAULTTONEAREST), &monitor);
  const ScreenRect screen = {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                             monitor.rcMonitor.bottom};
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  int width = box.Width() > Scaled(kMinimumWidth) ? box.Width() : Scaled(kMinimumWidth);
  if (width > screen.Width()) width = screen.Width();
  const int height = RowHeight() * static_cast<int>(rows->count) + (frame.bottom - frame.top);
  const ScreenRect place = PlaceSuggestionList(
      box, ScreenRectOf(GetAncestor(band->bandWindow, GA_ROOT)), screen, width, height);
  SetWindowPos(window, HWND_TOPMOST, place.left, place.top, place.Width(), place.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(window, nullptr, TRUE);
}

void SuggestionList::Hide() {
  if (window != nullptr) ShowWindow(window, SW_HIDE);
}

bool SuggestionList::IsShown() const { return window != nullptr && IsWindowVisible(window); }

void SuggestionList::Redraw() {
  if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
}

void SuggestionList::Choose(int chosenRow) {
  chosen = chosenRow;
  Redraw();
  if (window != nullptr && chosen >= 0)
    NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, chosen + 1);
}

}  // namespace corvane
