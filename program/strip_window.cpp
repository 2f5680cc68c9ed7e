#include "program/strip_window.h"

#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>

#include "program/program_menu.h"
#include "program/program_resource_ids.h"
#include "program/program_settings.h"
#include "program/program_texts.h"
#include "program/program_window_class.h"
#include "program/single_instance.h"
#include "program/strip_set.h"
#include "res/product.h"
#include "support/dpi_scale.h"
#include "support/hresult.h"
#include "support/settings_store.h"
#include "ui/band_window.h"
#include "ui/box_click.h"
#include "ui/clipboard_search.h"
#include "ui/colour_mode.h"
#include "ui/window_dpi.h"

namespace corvane::program {
namespace {

// At 96 DPI; it grows with its screen's DPI.
constexpr int kGripWidth = 10;
constexpr int kHiddenTaskbarSliver = 2;

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, newer than the headers' target

constexpr long kGripPart = 1, kBandPart = 2;

ScreenRect WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return FromRect(rect);
}

// Rows of small dots that say "drag me here".
void PaintGrip(HDC dc, int gripWidth, int height, int dpi, COLORREF colour) {
  const int dot = ScaleForDpi(2, dpi), step = ScaleForDpi(4, dpi);
  for (int y = step; y + dot <= height - step; y += step)
    for (int x = (gripWidth - step - dot) / 2; x + dot <= gripWidth; x += step)
      FillWithColour(dc, {x, y, x + dot, y + dot}, colour);
}

// Whether `other`, being activated, is one of the strip's own windows (a
// message box of its band, its menu).
bool BelongsTo(HWND other, HWND rootOwner) {
  return other != nullptr && GetAncestor(other, GA_ROOTOWNER) == rootOwner;
}

}  // namespace

const Strip::MessageEntry Strip::kMessages[] = {
    {WM_SIZE, &Strip::OnSize},
    {WM_PAINT, &Strip::OnPaint},
    {WM_NCHITTEST, &Strip::OnHitTest},
    {WM_SETFOCUS, &Strip::OnSetFocus},
    {WM_CONTEXTMENU, &Strip::OnContextMenu},
    {WM_NCRBUTTONDOWN, &Strip::OnCaptionRightDown},
    {WM_NCRBUTTONUP, &Strip::OnCaptionRightUp},
    {WM_ENTERSIZEMOVE, &Strip::OnEnterMove},
    {WM_EXITSIZEMOVE, &Strip::OnExitMove},
    {WM_SETTINGCHANGE, &Strip::OnSettingChange},
    {WM_SYSCOLORCHANGE, &Strip::OnColourChange},
    {WM_THEMECHANGED, &Strip::OnColourChange},
    {WM_GETOBJECT, &Strip::OnGetObject},
    {kDpiChanged, &Strip::OnDpiChanged},
    {WM_ACTIVATE, &Strip::OnActivate},
    {WM_CLOSE, &Strip::OnClose},
    {WM_QUERYENDSESSION, &Strip::OnQueryEndSession},
    {WM_ENDSESSION, &Strip::OnEndSession},
    {WM_DESTROY, &Strip::OnDestroy},
};

const Strip::RegisteredEntry Strip::kRegisteredMessages[] = {
    {&Strip::focusSearchBoxMessage, &Strip::OnCalled},
    {&Strip::shellNoticeMessage, &Strip::OnShellNotice},
    {&Strip::iconNoticeMessage, &Strip::OnIconNotice},
    {&Strip::boxDoneMessage, &Strip::OnBoxDone},
    {&Strip::settingsChangedMessage, &Strip::OnSettingsChanged},
};

Strip::~Strip() {
  if (window != nullptr) DestroyWindow(window);
}

HRESULT Strip::Open(HWND owner) {
  RETURN_IF_FAILED(RegisterProgramClass(kStripWindowClass, WindowProc));
  shellNoticeMessage = RegisterWindowMessageW(kShellNoticeMessage);
  focusSearchBoxMessage = FocusSearchBoxMessage();
  iconNoticeMessage = RegisterWindowMessageW(kIconNoticeMessage);
  boxDoneMessage = RegisterWindowMessageW(kSearchBoxDoneMessage);
  settingsChangedMessage = RegisterWindowMessageW(kSettingsChangedMessage);
  const Settings& settings = set.CurrentSettings();
  hasPlace = settings.hasStripPlace && set.KeepsStoredPlace();
  place = settings.stripPlace;
  colours = CurrentBandColours();
  name = ProgramText(IDS_PROGRAM_CAPTION);
  gripName = ProgramText(IDS_GRIP);
  openMenu = ProgramText(IDS_OPEN_MENU);
  // No taskbar button and no place in Alt+Tab: the strip belongs with the
  // taskbar, not with the programs.
  const StripSize size = SizeOnMonitor();
  window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kStripWindowClass, L"Corvane",
                           WS_POPUP | WS_CLIPCHILDREN, 0, 0, size.width, size.height, owner,
                           nullptr, GetModuleHandleW(nullptr), this);
  RETURN_LAST_ERROR_IF(window == nullptr);
  // An elevated strip still hears its icon's clicks, a second start and the
  // settings window; where the filter cannot be changed it works on without
  // them.
  for (UINT message : {iconNoticeMessage, focusSearchBoxMessage, settingsChangedMessage})
    ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
  ListenToShell(ABM_NEW);
  HRESULT shown = ShowBand();
  if (FAILED(shown)) {
    DestroyWindow(window);
    return shown;
  }
  FollowPlacement();
  return S_OK;
}

// As an application bar that claims no room: the shell then tells the strip
// when the taskbar moves and when a program takes the whole screen. A strip
// the shell does not take works on and follows the screen's changes only.
void Strip::ListenToShell(DWORD registration) {
  APPBARDATA bar = {};
  bar.cbSize = sizeof bar;
  bar.hWnd = window;
  bar.uCallbackMessage = shellNoticeMessage;
  SHAppBarMessage(registration, &bar);
}

// In the taskbar's order: sited, asked for its sizes, shown.
HRESULT Strip::ShowBand() {
  RETURN_IF_FAILED(band.Site(window));
  Reposition();
  LayOutBand();
  return band.Show(true);
}

// Sized for its monitor, before it stands there: the monitor's own DPI, else
// the window's.
StripSize Strip::SizeOnMonitor() const {
  const int monitorDpi = MonitorDpi(monitor);
  return StripSizeAt(monitorDpi > 0 ? monitorDpi : WindowDpi(window), band.MinimumHeight());
}

void Strip::Reposition() {
  if (moving || window == nullptr) return;  // the user places it; the drop decides
  const Settings& settings = set.CurrentSettings();
  const StripSize size = SizeOnMonitor();
  const int width = size.width, height = size.height;
  // Giving the row back changes the work area: the screen is read after.
  if (settings.placement != StripMode::Reserve) GiveUpRow();
  const ScreenFacts screen = FactsOf(monitor);
  ScreenRect area = UsableArea(screen);
  if (settings.placement == StripMode::Reserve) {
    const bool vertical = screen.edge == TaskbarEdge::Left || screen.edge == TaskbarEdge::Right;
    area =
        row.Keep(window, monitor, screen, HiddenTaskbarSliver(screen), vertical ? width : height);
  }
  ScreenRect target = DockedPlace(screen.edge, area, width, height);
  if (settings.placement == StripMode::Float && hasPlace) {
    const ScreenRect wanted = {place.x, place.y, place.x + width, place.y + height};
    target = KeptInside(wanted, UsableArea(FactsOf(MonitorNearest(wanted))));
  }
  // A strip that cannot be moved stays where it is until the next change.
  SetWindowPos(window, HWND_TOPMOST, target.left, target.top, target.Width(), target.Height(),
               SWP_NOACTIVATE);
}

// What a hidden taskbar leaves of itself at its edge, which brings it back
// under the pointer: the strip keeps off it.
int Strip::HiddenTaskbarSliver(const ScreenFacts& screen) const {
  return screen.taskbarHides ? ScaleForDpi(kHiddenTaskbarSliver, WindowDpi(window)) : 0;
}

ScreenRect Strip::UsableArea(const ScreenFacts& screen) const {
  return AwayFromHiddenTaskbar(screen.workArea, screen.edge, HiddenTaskbarSliver(screen));
}

// Back to an application bar that keeps nothing.
void Strip::GiveUpRow() {
  if (!row.GiveUp()) return;
  ListenToShell(ABM_REMOVE);
  ListenToShell(ABM_NEW);
}

void Strip::MoveTo(HMONITOR other) {
  monitorName = DeviceNameOf(other);
  if (other == monitor) return;
  GiveUpRow();
  monitor = other;
  Reposition();
}

void Strip::Call() {
  if (set.CurrentSettings().placementMonitor == StripMonitor::Pointer) MoveTo(MonitorOfPointer());
  Reposition();
  ShowWindow(window, SW_SHOW);
  FocusSearchBox();
}

// Out of sight until called, it goes when its box is done with.
void Strip::PutAway() {
  if (set.CurrentSettings().placement == StripMode::Hidden) ShowWindow(window, SW_HIDE);
}

void Strip::FollowPlacement() {
  Reposition();
  const bool hidden = set.CurrentSettings().placement == StripMode::Hidden;
  ShowWindow(window, hidden || steppedBack ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void Strip::StepBackForFullScreen() {
  if (set.CurrentSettings().placement == StripMode::Hidden) return;  // in sight only when called
  const bool fullScreen = FullScreenWindowOn(FactsOf(monitor).monitor);
  if (fullScreen == steppedBack) return;
  steppedBack = fullScreen;
  ShowWindow(window, steppedBack ? SW_HIDE : SW_SHOWNOACTIVATE);
}

// The key itself went no further. Where Windows gives the foreground only
// to the program the key went to, the box is clicked as the user would: the
// click brings it. The key is never sent on, for it would reach the program
// in front where no hook of the band's serves it (one that runs elevated,
// say).
void Strip::CallByKey() {
  Call();
  if (GetForegroundWindow() == window) return;
  HWND box = SearchBox();
  if (box != nullptr && WindowFromPoint(BoxClickPoint(box)) == box) ClickBox(box);
}

// As F12 does: the hint box takes the focus and opens the search box (or
// the search box, when it is open already).
void Strip::FocusSearchBox() {
  SetForegroundWindow(window);
  if (HWND box = SearchBox()) SetFocus(box);
}

// The edit in sight: the hint box, or the search box once it is open.
HWND Strip::SearchBox() const {
  HWND bandWindow = band.Window();
  if (bandWindow == nullptr) return nullptr;
  HWND box = GetDlgItem(bandWindow, kHintEditId);
  if (box == nullptr || !IsWindowVisible(box)) box = GetDlgItem(bandWindow, kSearchEditId);
  return box;
}

int Strip::GripWidth() const { return ScaleForDpi(kGripWidth, WindowDpi(window)); }

// The band fills the strip beside the grip.
void Strip::LayOutBand() {
  RECT client = {};
  GetClientRect(window, &client);
  client.left = GripWidth();
  band.Place(client);
}

LRESULT Strip::OnSize(WPARAM, LPARAM) {
  LayOutBand();
  return 0;
}

LRESULT Strip::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client = {};
  GetClientRect(window, &client);
  FillWithColour(dc, client, colours.strip);
  PaintGrip(dc, GripWidth(), client.bottom, WindowDpi(window), colours.stripGrip);
  if (UniqueGdiObject<HBRUSH> frame{CreateSolidBrush(colours.stripGrip)})
    FrameRect(dc, &client, frame.Get());
  EndPaint(window, &paint);
  return 0;
}

// The grip moves the strip as a caption moves a window.
LRESULT Strip::OnHitTest(WPARAM wParam, LPARAM lParam) {
  POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(window, &point);
  if (point.x >= 0 && point.x < GripWidth()) return HTCAPTION;
  return DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
}

// The taskbar hands its focus on to the band.
LRESULT Strip::OnSetFocus(WPARAM, LPARAM) {
  band.TakeFocus();
  return 0;
}

LRESULT Strip::OnContextMenu(WPARAM, LPARAM lParam) {
  POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard: at the strip
    RECT rect = {};
    GetWindowRect(window, &rect);
    screen = {rect.left, rect.bottom};
  }
  ShowMenu(screen);
  return 0;
}

// A right-click on the grip, which is the strip's caption, brings the same
// menu as on the band; the system's caption handling is kept out of it, for
// some systems track a system menu there and swallow the click.
LRESULT Strip::OnCaptionRightDown(WPARAM hit, LPARAM lParam) {
  return hit == HTCAPTION ? 0 : DefWindowProcW(window, WM_NCRBUTTONDOWN, hit, lParam);
}

LRESULT Strip::OnCaptionRightUp(WPARAM hit, LPARAM lParam) {
  if (hit != HTCAPTION) return DefWindowProcW(window, WM_NCRBUTTONUP, hit, lParam);
  ShowMenu({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
  return 0;
}

// The band's own items first, then the program's; an item that cannot be
// added is not offered.
void Strip::ShowMenu(POINT screen) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  ComPtr<IContextMenu> bandMenu =
      band.AddMenuItems(menu.Get(), kFirstBandCommand, kLastBandCommand);
  if (bandMenu) AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  const UINT canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) ? 0 : MF_GRAYED;
  AppendMenuW(menu.Get(), MF_STRING | canPaste, kPasteAndSearch,
              ProgramText(IDS_STRIP_PASTE_AND_SEARCH).c_str());
  AppendProgramItems(menu.Get());
  AppendMenuW(menu.Get(), MF_STRING | (hasPlace ? 0 : MF_GRAYED), kResetPosition,
              ProgramText(IDS_RESET_POSITION).c_str());
  AppendMenuW(menu.Get(), MF_STRING, kExit, ProgramText(IDS_EXIT).c_str());
  RunMenuCommand(TrackMenu(window, menu.Get(), screen), bandMenu.Get());
}

void Strip::RunMenuCommand(UINT command, IContextMenu* bandMenu) {
  if (command >= kFirstBandCommand && command <= kLastBandCommand && bandMenu != nullptr) {
    InvokeBandCommand(bandMenu, window, command - kFirstBandCommand);
  } else if (command == kPasteAndSearch) {
    // The band reads the clipboard and searches, as its own box's item does.
    if (HWND bandWindow = band.Window()) SendMessageW(bandWindow, kSearchClipboardMessage, 0, 0);
  } else if (command == kResetPosition) {
    if (set.KeepsStoredPlace()) TRACE_IF_FAILED(ForgetStripPlace());
    hasPlace = false;
    Reposition();
  } else if (command == kExit) {
    set.Forward(WM_CLOSE, 0, 0);
  } else {
    RunProgramCommand(command);
  }
}

LRESULT Strip::OnEnterMove(WPARAM, LPARAM) {
  GetWindowRect(window, &moveStart);
  moving = true;
  return 0;
}

// A strip dropped partly off screen comes back whole; a click on the grip
// that moved nothing keeps the strip docked.
LRESULT Strip::OnExitMove(WPARAM, LPARAM) {
  moving = false;
  const ScreenRect dropped = WindowRect(window);
  if (dropped.left == moveStart.left && dropped.top == moveStart.top) return 0;
  // A strip in its row, or called, goes back where it belongs.
  if (set.CurrentSettings().placement != StripMode::Float) {
    Reposition();
    return 0;
  }
  const ScreenRect kept = KeptInside(dropped, UsableArea(FactsOf(MonitorNearest(dropped))));
  place = {kept.left, kept.top};
  hasPlace = true;
  // Unstored (or one of a strip on every monitor), the place holds for this
  // run only.
  if (set.KeepsStoredPlace()) TRACE_IF_FAILED(WriteStripPlace(place));
  Reposition();
  return 0;
}

LRESULT Strip::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  if (wParam == SPI_SETWORKAREA) Reposition();
  if (IsColourChange(WM_SETTINGCHANGE, wParam, lParam)) OnColourChange(0, 0);
  return 0;
}

LRESULT Strip::OnColourChange(WPARAM, LPARAM) {
  colours = CurrentBandColours();
  InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT Strip::OnGetObject(WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (AnswerAccessibleObject(window, wParam, lParam, &kAccessibleParts, &answer)) return answer;
  return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
}

const AccessibleParts Strip::kAccessibleParts = {AccessiblePartCount, DescribePart, ActOnPart,
                                                 nullptr};

long Strip::AccessiblePartCount(HWND) { return kBandPart; }

bool Strip::DescribePart(HWND window, long part, AccessiblePart* facts) {
  auto* strip = reinterpret_cast<Strip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (strip == nullptr) return false;
  if (part == CHILDID_SELF) {
    facts->role = ROLE_SYSTEM_TOOLBAR;
    facts->name = strip->name.c_str();
  } else if (part == kGripPart) {
    facts->role = ROLE_SYSTEM_GRIP;
    facts->name = strip->gripName.c_str();
    facts->defaultAction = strip->openMenu.c_str();
    RECT client = {};
    GetClientRect(window, &client);
    facts->place = {0, 0, strip->GripWidth(), client.bottom};
  } else {
    facts->window = strip->band.Window();
    facts->role = ROLE_SYSTEM_TOOLBAR;
  }
  return true;
}

// The grip's action opens the menu, which moves the strip back to the
// taskbar among its items; the grip itself moves only with the mouse.
bool Strip::ActOnPart(HWND window, long part) {
  auto* strip = reinterpret_cast<Strip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (strip == nullptr || part != kGripPart) return false;
  PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
  return true;
}

// Moved to a screen of another DPI: take the size offered, then the strip's
// own place at that size.
LRESULT Strip::OnDpiChanged(WPARAM, LPARAM lParam) {
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  // Not moved, the strip keeps its size; Reposition sizes it for the DPI.
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  Reposition();
  set.RefreshIcon();
  return 0;
}

// The taskbar steps back for a program that takes the whole screen (a film,
// a game, a presentation); the strip goes out of sight until it ends.
LRESULT Strip::OnShellNotice(WPARAM notice, LPARAM) {
  if (notice == ABN_POSCHANGED) Reposition();
  if (notice == ABN_FULLSCREENAPP) StepBackForFullScreen();
  return 0;
}

// Out of sight until called, the strip goes when the user turns elsewhere.
LRESULT Strip::OnActivate(WPARAM state, LPARAM other) {
  if (LOWORD(state) == WA_INACTIVE &&
      !BelongsTo(reinterpret_cast<HWND>(other), GetAncestor(window, GA_ROOTOWNER)))
    PutAway();
  return 0;
}

void Strip::AfterShellRestart() {
  row.Forget();
  ListenToShell(ABM_NEW);
  Reposition();
}

LRESULT Strip::OnCalled(WPARAM wParam, LPARAM lParam) {
  set.Forward(focusSearchBoxMessage, wParam, lParam);
  return 0;
}

LRESULT Strip::OnIconNotice(WPARAM wParam, LPARAM lParam) {
  set.Forward(iconNoticeMessage, wParam, lParam);
  return 0;
}

LRESULT Strip::OnBoxDone(WPARAM, LPARAM) {
  PutAway();
  return 0;
}

LRESULT Strip::OnSettingsChanged(WPARAM wParam, LPARAM lParam) {
  set.Forward(settingsChangedMessage, wParam, lParam);
  return 0;
}

// As its menu's "Exit" does: the program ends, with all its strips.
LRESULT Strip::OnClose(WPARAM, LPARAM) {
  set.Forward(WM_CLOSE, 0, 0);
  return 0;
}

LRESULT Strip::OnQueryEndSession(WPARAM, LPARAM) { return TRUE; }

// The set closes this strip too: nothing of it is touched after.
LRESULT Strip::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) set.EndSession();
  return 0;
}

LRESULT Strip::OnDestroy(WPARAM, LPARAM) {
  GiveUpRow();
  ListenToShell(ABM_REMOVE);
  band.Release();
  window = nullptr;
  return 0;
}

LRESULT CALLBACK Strip::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Strip*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->window = window;
  }
  auto* strip = reinterpret_cast<Strip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (strip == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  for (const RegisteredEntry& entry : kRegisteredMessages)
    if (message != 0 && message == strip->*entry.message)
      return (strip->*entry.handler)(wParam, lParam);
  for (const MessageEntry& entry : kMessages)
    if (entry.message == message) return (strip->*entry.handler)(wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace corvane::program
