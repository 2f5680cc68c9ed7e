#include "ui/band_window.h"

#include <commctrl.h>

#include <initializer_list>
#include <new>

#include "band/band_record.h"
#include "res/product.h"
#include "res/resource_ids.h"
#include "support/bounded_string.h"
#include "support/module_state.h"
#include "support/resource_strings.h"
#include "support/session_bands.h"
#include "support/settings_store.h"
#include "support/system_library.h"
#include "support/ui_module.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"
#include "ui/band_accessibility.h"
#include "ui/colour_mode.h"
#include "ui/focus_key_binding.h"
#include "ui/focus_key_hook.h"
#include "ui/go_button.h"
#include "ui/own_window_class.h"
#include "ui/query_submission.h"
#include "ui/search_box.h"
#include "ui/search_hint.h"
#include "ui/suggestion_session.h"
#include "ui/window_dpi.h"
#include "ui/clipboard_search.h"

namespace corvane {
namespace {

LRESULT CALLBACK BandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CreateBandControls(BandRecord* band);

constexpr int kFontPoints = 9;
// WM_DPICHANGED_AFTERPARENT, which headers for older systems do not name.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The session's bands are told by it that the settings changed.
UINT SettingsChangedMessage = 0;

HRESULT EnsureBandClass() {
  if (SettingsChangedMessage == 0)
    SettingsChangedMessage = RegisterWindowMessageW(kSettingsChangedMessage);
  WNDCLASSW wc = {};
  wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = BandWindowProc;
  wc.hInstance = ModuleInstance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kBandWindowClass;
  return EnsureOwnWindowClass(wc);
}

// The colours and the box's brush for the mode Windows is in now; a brush
// that cannot be made leaves the edits in the system's colours.
void TakeCurrentColours(BandRecord* band) {
  band->colours = CurrentBandColours();
  band->boxBrush.Reset(CreateSolidBrush(band->colours.box));
}

// The search box's font at the band window's DPI.
HFONT CreateBandFont(int dpi) {
  int height = MulDiv(kFontPoints, dpi, 72);
  for (const char16_t* face : {u"Tahoma", u"MS Sans Serif"}) {
    LOGFONTW logFont = {};
    logFont.lfHeight = -height;
    BoundedCopy(AsUtf16(logFont.lfFaceName), LF_FACESIZE, face);
    if (HFONT font = CreateFontIndirectW(&logFont)) return font;
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND CreateEdit(BandRecord* band, int id, DWORD style) {
  RowGeometry row = RowGeometryOf(band);
  return CreateWindowExW(
      WS_EX_CLIENTEDGE, L"edit", nullptr, style, row.left, row.top, row.editWidth, row.height,
      band->bandWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance, nullptr);
}

void DestroyAndClear(HWND& window) {
  if (window != nullptr) DestroyWindow(window);
  window = nullptr;
}

void DeleteFont(BandRecord* band) {
  if (band->font != nullptr) DeleteObject(band->font);
  band->font = nullptr;
}

// Without CORVANEUI.DLL the box shows no list, as it speaks no other language.
SuggestionSession* MakeSuggestionSession(BandRecord* band) {
  const SuggestionTexts texts = {LoadResString(IDS_RECENT_SEARCH), LoadResString(IDS_SUGGESTIONS)};
  MakeSuggestionSessionFunction make;
  return FindFunction(UiModule(), kMakeSuggestionSessionExport, &make) ? make(band, &texts)
                                                                       : nullptr;
}

// What the band window's code adds to the box, made with its controls: the
// box goes without suggestions where they cannot be made, not without words
// for screen readers.
bool MakeBoxHelpers(BandRecord* band) {
  band->accessibility = new (std::nothrow) BandAccessibility(band);
  band->suggestionSession = MakeSuggestionSession(band);
  return band->accessibility != nullptr;
}

void DeleteBoxHelpers(BandRecord* band) {
  delete band->suggestionSession;
  band->suggestionSession = nullptr;
  delete band->accessibility;
  band->accessibility = nullptr;
}

// Handlers of the band window's messages; each answers as the window does.
using MessageHandler = LRESULT (*)(BandRecord*, HWND, WPARAM, LPARAM);

LRESULT OnCreate(BandRecord* band, HWND, WPARAM, LPARAM) {
  CreateBandControls(band);
  return 0;
}

// The shell re-reads the band's sizes when told that they changed. It may
// resize the band, or let go of it, while it is told: the last thing a
// handler does.
void ReportBandInfoChanged(BandRecord* band) {
  IInputObjectSite* site = band->inputObjectSite;
  if (site == nullptr) return;
  ComPtr<IUnknown> aliveBand = HoldReference(band->identity);
  ComPtr<IOleCommandTarget> commands;
  if (SUCCEEDED(site->QueryInterface(IID_IOleCommandTarget, commands.PutVoid())))
    commands->Exec(&CGID_DeskBand, DBID_BANDINFOCHANGED, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
}

// Moved to a screen of another DPI, or the DPI changed: a new font for the
// edits. True when the DPI changed.
bool FollowDpi(BandRecord* band, HWND window) {
  int dpi = WindowDpi(window);
  if (dpi == band->dpi) return false;
  band->dpi = dpi;
  if (band->font != nullptr) {
    HFONT font = CreateBandFont(dpi);
    for (HWND edit : {band->searchEdit, band->hintEdit})
      if (edit != nullptr) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    DeleteObject(band->font);
    band->font = font;
  }
  return true;
}

LRESULT OnSize(BandRecord* band, HWND window, WPARAM, LPARAM lParam) {
  band->width = LOWORD(lParam);
  band->height = HIWORD(lParam);
  bool newDpi = FollowDpi(band, window);
  LayoutBand(band);
  if (newDpi) ReportBandInfoChanged(band);
  return 0;
}

LRESULT OnDpiChanged(BandRecord* band, HWND window, WPARAM, LPARAM) {
  if (!FollowDpi(band, window)) return 0;
  LayoutBand(band);
  InvalidateRect(window, nullptr, TRUE);
  ReportBandInfoChanged(band);
  return 0;
}

// The site may let go of the band, or the band of the site, while it is told.
void ReportFocus(BandRecord* band, BOOL focused) {
  band->hasFocus = focused;
  IInputObjectSite* site = band->inputObjectSite;
  if (site == nullptr) return;
  ComPtr<IUnknown> aliveBand = HoldReference(band->identity);
  ComPtr<IInputObjectSite> aliveSite = HoldReference(site);
  site->OnFocusChangeIS(band->identity, focused);
}

LRESULT OnSetFocus(BandRecord* band, HWND, WPARAM, LPARAM) {
  ReportFocus(band, TRUE);
  return 0;
}

LRESULT OnKillFocus(BandRecord* band, HWND, WPARAM, LPARAM) {
  ReportFocus(band, FALSE);
  return 0;
}

// In a composited taskbar the band has no background of its own: the
// taskbar's shows, drawn by the theme library of the band's process.
void PaintTaskbarBackground(HWND window, HDC dc, const RECT& area) {
  using DrawParentBackground = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
  static HMODULE theme = nullptr;
  DrawParentBackground draw;
  if (FindFunction(LoadSystemLibrary(L"uxtheme.dll", &theme), "DrawThemeParentBackground", &draw))
    draw(window, dc, &area);
}

LRESULT OnPaint(BandRecord* band, HWND window, WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  if (HDC dc = BeginPaint(window, &paint)) {
    if (band->compositionEnabled) PaintTaskbarBackground(window, dc, paint.rcPaint);
    PaintGoButton(band, dc);
    EndPaint(window, &paint);
  }
  return 0;
}

LRESULT Ignore(BandRecord*, HWND, WPARAM, LPARAM) { return 0; }

LRESULT OnCommand(BandRecord* band, HWND, WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) == kSearchEditId && HIWORD(wParam) == EN_CHANGE && band->suggestionSession)
    band->suggestionSession->OnTextEdited();
  return 0;
}

// A hidden box shows no list.
LRESULT OnShowWindow(BandRecord* band, HWND, WPARAM shown, LPARAM) {
  if (!shown && band->suggestionSession) band->suggestionSession->Close();
  return 0;
}

LRESULT OnTimer(BandRecord* band, HWND, WPARAM wParam, LPARAM) {
  if (wParam == kSuggestionPauseTimer && band->suggestionSession)
    band->suggestionSession->OnPause();
  return 0;
}

LRESULT OnSuggestionClicked(BandRecord* band, HWND, WPARAM row, LPARAM) {
  if (band->suggestionSession && band->suggestionSession->TakeRow(static_cast<int>(row)))
    SubmitQuery(band, FALSE);
  return 0;
}

LRESULT OnSuggestionsAnswered(BandRecord* band, HWND, WPARAM, LPARAM) {
  if (band->suggestionSession) band->suggestionSession->OnAnswered();
  return 0;
}

LRESULT OnColoursChanged(BandRecord* band, HWND, WPARAM, LPARAM) {
  FollowColourChange(band);
  return 0;
}

// Both edits in the box's colours; the hint in its own.
LRESULT OnCtlColorEdit(BandRecord* band, HWND window, WPARAM wParam, LPARAM lParam) {
  if (!band->boxBrush) return DefWindowProcW(window, WM_CTLCOLOREDIT, wParam, lParam);
  HDC dc = reinterpret_cast<HDC>(wParam);
  const BandColours& colours = band->colours;
  SetTextColor(dc,
               reinterpret_cast<HWND>(lParam) == band->hintEdit ? colours.hint : colours.boxText);
  SetBkColor(dc, colours.box);
  return reinterpret_cast<LRESULT>(band->boxBrush.Get());
}

// The settings window saved, or Group Policy applied a change: the focus
// key, the hint, suggestions, and a Go button that a policy shows or hides.
void FollowSettingsChange(BandRecord* band) {
  band->settings = ReadSettings();
  RebindFocusKey(band);
  FollowSearchHint(band);
  if (band->settings.IsFixed(Setting::kShowGoButton) &&
      band->showGoButton != band->settings.showGoButton) {
    band->showGoButton = band->settings.showGoButton;
    LayoutBand(band);
    InvalidateRect(band->bandWindow, nullptr, FALSE);
  }
}

LRESULT OnPolicyChanged(BandRecord* band, HWND, WPARAM, LPARAM) {
  FollowSettingsChange(band);
  return 0;
}

LRESULT OnSettingChange(BandRecord* band, HWND window, WPARAM wParam, LPARAM lParam) {
  if (IsColourChange(WM_SETTINGCHANGE, wParam, lParam)) FollowColourChange(band);
  if (IsPolicyChange(WM_SETTINGCHANGE, lParam)) FollowSettingsChange(band);
  return OnDpiChanged(band, window, wParam, lParam);
}

LRESULT OnGetObject(BandRecord* band, HWND window, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (band->accessibility && band->accessibility->AnswerBand(wParam, lParam, &answer))
    return answer;
  return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
}

POINT MousePosition(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT OnMouseMove(BandRecord* band, HWND, WPARAM, LPARAM lParam) {
  TrackMouseLeave(band);
  GoButtonMouseMove(band, MousePosition(lParam));
  return 0;
}

LRESULT OnLeftButtonDown(BandRecord* band, HWND, WPARAM, LPARAM lParam) {
  GoButtonMouseDown(band, MousePosition(lParam));
  return 0;
}

LRESULT OnLeftButtonUp(BandRecord* band, HWND, WPARAM, LPARAM lParam) {
  GoButtonMouseUp(band, MousePosition(lParam));
  return 0;
}

LRESULT OnMouseLeave(BandRecord* band, HWND, WPARAM, LPARAM) {
  GoButtonMouseLeave(band);
  return 0;
}

LRESULT OnHotKey(BandRecord* band, HWND, WPARAM wParam, LPARAM) {
  if (wParam == kFocusKeyHotkeyId) ClickFocusTargetInFront();
  if (wParam == kClipboardKeyHotkeyId) SearchClipboard(band);
  return 0;
}

LRESULT OnSearchClipboard(BandRecord* band, HWND, WPARAM, LPARAM) {
  SearchClipboard(band);
  return 0;
}

// The focus key serves this window's hint box and goes with it; the tooltip
// is owned by the top-level window, so it would outlive this one.
LRESULT OnDestroy(BandRecord* band, HWND, WPARAM, LPARAM) {
  // The only place the key is given back: it lives exactly as long as the
  // band window, whether the host closes the band or just releases it.
  bool gaveCombination = UnbindFocusKey(band);
  UnlistSessionFocusTarget(band->hintEdit);
  if (band->accessibility) band->accessibility->ForgetBoxNames();
  // Another band of the session takes the combination over.
  if (gaveCombination) PostToSessionBands(SettingsChangedMessage);
  DeleteBoxHelpers(band);
  DestroyAndClear(band->tooltip);
  return 0;
}

// The children are gone now: forget their handles, which the system may
// hand out again, and let go of the band.
LRESULT OnNcDestroy(BandRecord* band, HWND window, WPARAM, LPARAM) {
  band->searchEdit = nullptr;
  band->hintEdit = nullptr;
  DeleteFont(band);
  band->boxBrush.Reset();
  if (band->bandWindow == window) band->bandWindow = nullptr;
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return 0;
}

LRESULT OnSearchNotOpenedMessage(BandRecord* band, HWND, WPARAM search, LPARAM) {
  OnSearchNotOpened(band, search);
  return 0;
}

const struct {
  UINT message;
  MessageHandler handler;
} kBandMessages[] = {
    {WM_CREATE, OnCreate},
    {WM_SIZE, OnSize},
    {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},
    {WM_PAINT, OnPaint},
    {WM_ERASEBKGND, Ignore},
    {WM_COMMAND, OnCommand},
    {WM_TIMER, OnTimer},
    {WM_SHOWWINDOW, OnShowWindow},
    {WM_CTLCOLOREDIT, OnCtlColorEdit},
    {WM_GETOBJECT, OnGetObject},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONDOWN, OnLeftButtonDown},
    {WM_LBUTTONUP, OnLeftButtonUp},
    {WM_MOUSELEAVE, OnMouseLeave},
    {WM_HOTKEY, OnHotKey},
    {kSearchClipboardMessage, OnSearchClipboard},
    {kSearchNotOpenedMessage, OnSearchNotOpenedMessage},
    {kSuggestionClickedMessage, OnSuggestionClicked},
    {kColoursChangedMessage, OnColoursChanged},
    {kDpiChangedAfterParent, OnDpiChanged},
    {WM_SETTINGCHANGE, OnSettingChange},
    {kPolicyChangedMessage, OnPolicyChanged},
    {kSuggestionsAnsweredMessage, OnSuggestionsAnswered},
    {WM_DESTROY, OnDestroy},
    {WM_NCDESTROY, OnNcDestroy},
};

LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
  auto* band = static_cast<BandRecord*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(band));
  band->bandWindow = window;
  return DefWindowProcW(window, WM_NCCREATE, wParam, lParam);
}

// The box is listed among its session's targets before it takes the key.
bool ListAndBindFocusKey(BandRecord* band) {
  if (FAILED(ListSessionFocusTarget(band->hintEdit, IsHintBox))) return false;
  if (SUCCEEDED(BindFocusKey(band))) return true;
  UnlistSessionFocusTarget(band->hintEdit);
  return false;
}

// Font, edits, tooltip and the focus key; all or nothing.
void CreateBandControls(BandRecord* band) {
  band->settings = ReadSettings();
  band->font = CreateBandFont(band->dpi);
  if (band->font == nullptr) return;
  TakeCurrentColours(band);

  band->searchEdit =
      CreateEdit(band, kSearchEditId,
                 WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN);
  if (band->searchEdit == nullptr) return DeleteFont(band);
  band->searchEditOldProc = SubclassEdit(band->searchEdit, SearchEditProc);
  SendMessageW(band->searchEdit, WM_SETFONT, reinterpret_cast<WPARAM>(band->font), TRUE);
  SetWindowTextW(band->searchEdit, L"");

  band->hintEdit = CreateEdit(band, kHintEditId, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  if (band->hintEdit == nullptr) {
    DestroyAndClear(band->searchEdit);
    return DeleteFont(band);
  }
  band->hintEditOldProc = SubclassEdit(band->hintEdit, HintEditProc);
  SendMessageW(band->hintEdit, WM_SETFONT, reinterpret_cast<WPARAM>(band->font), TRUE);
  TakeSearchHint(band);
  SetWindowTextW(band->hintEdit, band->hint);

  band->tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, band->bandWindow,
                                  nullptr, ModuleInstance, nullptr);
  if (band->tooltip == nullptr || !MakeBoxHelpers(band) || !ListAndBindFocusKey(band)) {
    DeleteBoxHelpers(band);
    DestroyAndClear(band->tooltip);
    DestroyAndClear(band->searchEdit);
    DestroyAndClear(band->hintEdit);
    DeleteFont(band);
    return;
  }
  band->accessibility->NameBoxes();
}

LRESULT CALLBACK BandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnNcCreate(window, wParam, lParam);
  if (BandRecord* band = BandFromWindow(window)) {
    if (message == SettingsChangedMessage && message != 0) {
      FollowSettingsChange(band);
      return 0;
    }
    for (const auto& entry : kBandMessages)
      if (entry.message == message) return entry.handler(band, window, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

BOOL CreateBandWindow(BandRecord* band) {
  if (band->bandWindow != nullptr) return TRUE;
  if (band->parentWindow == nullptr || FAILED(EnsureBandClass())) return FALSE;
  RECT client = {};
  GetClientRect(band->parentWindow, &client);
  band->dpi = WindowDpi(band->parentWindow);
  band->width = client.right - client.left;
  band->height = client.bottom - client.top;
  band->bandWindow = CreateWindowExW(0, kBandWindowClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS,
                                     client.left, client.top, band->width, band->height,
                                     band->parentWindow, nullptr, ModuleInstance, band);
  return band->bandWindow != nullptr;
}

void FollowColourChange(BandRecord* band) {
  if (band->bandWindow == nullptr) return;
  TakeCurrentColours(band);
  RedrawWindow(band->bandWindow, nullptr, nullptr,
               RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  if (band->suggestionSession) band->suggestionSession->Redraw();
}

void DestroyOwnBandWindow(BandRecord* band) {
  HWND window = band->bandWindow;
  if (window != nullptr && IsWindow(window) && BandFromWindow(window) == band)
    DestroyWindow(window);
  band->bandWindow = nullptr;
}

}  // namespace corvane
