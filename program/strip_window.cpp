#include "program/strip_window.h"

#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>

#include "program/program_resource_ids.h"
#include "program/program_texts.h"
#include "program/settings_window.h"
#include "program/single_instance.h"
#include "res/product.h"
#include "support/dpi_scale.h"
#include "support/focus_key.h"
#include "support/hresult.h"
#include "support/settings_store.h"
#include "ui/band_window.h"
#include "ui/box_click.h"
#include "ui/colour_mode.h"
#include "ui/window_dpi.h"

namespace corvane::program {
namespace {

// The strip at 96 DPI; it grows with its screen's DPI.
constexpr int kStripWidth = 300;
constexpr int kStripHeight = 30;
constexpr int kGripWidth = 10;
constexpr int kHiddenTaskbarSliver = 2;

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, newer than the headers' target
// Posted by the keyboard hook: F12 came while the strip was out of sight.
constexpr UINT kFocusKeyHeard = WM_APP + 1;

// Menu identifiers: the band's own items take a range of their own.
constexpr UINT kStartWithWindows = 1, kResetPosition = 2, kExit = 3, kSettings = 4;
constexpr UINT kFirstBandCommand = 0x100, kLastBandCommand = 0x1FF;

constexpr long kGripPart = 1, kBandPart = 2;

HRESULT RegisterStripClass(WNDPROC windowProc) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kStripWindowClass, &windowClass)) return S_OK;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kStripWindowClass;
  RETURN_LAST_ERROR_IF(RegisterClassExW(&windowClass) == 0);
  return S_OK;
}

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

// Checked as Corvane starts; greyed where a policy decides.
void AppendStartWithWindows(HMENU menu) {
  const UINT state =
      (StartsWithWindows() ? MF_CHECKED : 0) | (StartWithWindowsFixed() ? MF_GRAYED : 0);
  AppendMenuW(menu, MF_STRING | state, kStartWithWindows,
              ProgramText(IDS_START_WITH_WINDOWS).c_str());
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
    {WM_DISPLAYCHANGE, &Strip::OnScreenChange},
    {kDpiChanged, &Strip::OnDpiChanged},
    {WM_QUERYENDSESSION, &Strip::OnQueryEndSession},
    {WM_ENDSESSION, &Strip::OnEndSession},
    {WM_ACTIVATE, &Strip::OnActivate},
    {kFocusKeyHeard, &Strip::OnFocusKeyHeard},
    {WM_DESTROY, &Strip::OnDestroy},
};

const Strip::RegisteredEntry Strip::kRegisteredMessages[] = {
    {&Strip::taskbarCreatedMessage, &Strip::OnTaskbarCreated},
    {&Strip::focusSearchBoxMessage, &Strip::OnCalled},
    {&Strip::shellNoticeMessage, &Strip::OnShellNotice},
    {&Strip::iconNoticeMessage, &Strip::OnIconNotice},
    {&Strip::boxDoneMessage, &Strip::OnBoxDone},
    {&Strip::settingsChangedMessage, &Strip::OnSettingsChanged},
};

Strip* Strip::watching = nullptr;

HRESULT Strip::Open() {
  RETURN_IF_FAILED(RegisterStripClass(WindowProc));
  taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
  shellNoticeMessage = RegisterWindowMessageW(kShellNoticeMessage);
  focusSearchBoxMessage = FocusSearchBoxMessage();
  iconNoticeMessage = RegisterWindowMessageW(kIconNoticeMessage);
  boxDoneMessage = RegisterWindowMessageW(kSearchBoxDoneMessage);
  settingsChangedMessage = RegisterWindowMessageW(kSettingsChangedMessage);
  settings = ReadSettings();
  hasPlace = settings.hasStripPlace;
  place = settings.stripPlace;
  ReservedRow::GiveBackLeftOver();
  monitor = PrimaryMonitor();
  colours = CurrentBandColours();
  name = ProgramText(IDS_PROGRAM_CAPTION);
  gripName = ProgramText(IDS_GRIP);
  openMenu = ProgramText(IDS_OPEN_MENU);
  // No taskbar button and no place in Alt+Tab: the strip belongs with the
  // taskbar, not with the programs.
  owner.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr));
  window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kStripWindowClass, L"Corvane",
                           WS_POPUP | WS_CLIPCHILDREN, 0, 0, kStripWidth, kStripHeight, owner.Get(),
                           nullptr, GetModuleHandleW(nullptr), this);
  RETURN_LAST_ERROR_IF(window == nullptr);
  // An elevated strip still hears a restarted Explorer, its icon's clicks,
  // a second start and the settings window; where the filter cannot be
  // changed it works on without them.
  for (UINT message :
       {taskbarCreatedMessage, iconNoticeMessage, focusSearchBoxMessage, settingsChangedMessage})
    ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
  ListenToShell(ABM_NEW);
  HRESULT shown = ShowBand();
  if (FAILED(shown)) {
    DestroyWindow(window);
    return shown;
  }
  // Open from here on: the calls below let other threads' messages in, and
  // the end of the session may close the strip meanwhile.
  open = true;
  watching = this;
  FollowPlacement();
  if (!IsWindow(window)) return S_OK;  // closed meanwhile: the loop ends at once
  WatchFullScreen();
  // Without a notification area yet, the icon comes when the taskbar does.
  TRACE_IF_FAILED(icon.Show(window, iconNoticeMessage));
  return S_OK;
}

void Strip::BeforeDispatch(const MSG& message) {
  if (message.message == WM_HOTKEY && settings.placement == StripMode::Hidden &&
      !IsWindowVisible(window) && message.hwnd == band.Window())
    Call();
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

void Strip::Reposition() {
  if (moving) return;  // the user places it; the drop decides
  const int dpi = WindowDpi(window);
  const int width = ScaleForDpi(kStripWidth, dpi);
  const int height = std::max(ScaleForDpi(kStripHeight, dpi), band.MinimumHeight());
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

// Called by the focus key, the icon or a second start: the strip comes into
// sight where it belongs, the focus in its box.
void Strip::Call() {
  if (settings.placementMonitor == StripMonitor::Pointer) monitor = MonitorOfPointer();
  Reposition();
  ShowWindow(window, SW_SHOW);
  FocusSearchBox();
}

// Out of sight until called, it goes when its box is done with.
void Strip::PutAway() {
  if (settings.placement == StripMode::Hidden) ShowWindow(window, SW_HIDE);
}

// Where the settings say the strip lives; the focus key F12 is heard here
// while the strip is out of sight, for the band's hook serves only a box in
// sight.
void Strip::FollowPlacement() {
  if (settings.placementMonitor == StripMonitor::Primary) monitor = PrimaryMonitor();
  Reposition();
  const bool hidden = settings.placement == StripMode::Hidden;
  ShowWindow(window, hidden || steppedBack ? SW_HIDE : SW_SHOWNOACTIVATE);
  if (hidden && settings.focusKey.kind == FocusKeyKind::kF12Hook) {
    // Without the hook the strip is still called by its icon.
    TRACE_IF_FAILED(hiddenKey.Start(window, kFocusKeyHeard));
  } else {
    hiddenKey.Stop();
  }
}

// The window in front and its moves: a window that fills the strip's
// monitor (and only that one) puts a strip that is always in sight away
// until it ends.
void Strip::WatchFullScreen() {
  foregroundHook.Reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                       OnWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
  DWORD process = 0;
  if (HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &process);
  // Only the window in front's own moves: a film made full-screen in place.
  locationHook.Reset(
      process == 0 ? nullptr
                   : SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                     nullptr, OnWindowEvent, process, 0, WINEVENT_OUTOFCONTEXT));
}

void Strip::StepBackForFullScreen() {
  if (settings.placement == StripMode::Hidden) return;  // in sight only when called
  const bool fullScreen = FullScreenWindowOn(FactsOf(monitor).monitor);
  if (fullScreen == steppedBack) return;
  steppedBack = fullScreen;
  ShowWindow(window, steppedBack ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void CALLBACK Strip::OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND eventWindow, LONG object, LONG,
                                   DWORD, DWORD) {
  if (watching == nullptr) return;
  if (event == EVENT_SYSTEM_FOREGROUND) {
    watching->WatchFullScreen();
    watching->StepBackForFullScreen();
  } else if (object == OBJID_WINDOW && eventWindow == GetForegroundWindow()) {
    watching->StepBackForFullScreen();
  }
}

// Called by F12, which went no further. Where Windows gives the foreground
// only to the program the key went to, the box is clicked as the user
// would: the click brings it. The key itself is never sent on, for it would
// reach the program in front where no hook of the band's serves it (one
// that runs elevated, say).
LRESULT Strip::OnFocusKeyHeard(WPARAM, LPARAM) {
  Call();
  if (GetForegroundWindow() == window) return 0;
  HWND box = SearchBox();
  if (box != nullptr && WindowFromPoint(BoxClickPoint(box)) == box) ClickBox(box);
  return 0;
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
  AppendMenuW(menu.Get(), MF_STRING, kSettings, ProgramText(IDS_SETTINGS).c_str());
  AppendStartWithWindows(menu.Get());
  AppendMenuW(menu.Get(), MF_STRING | (hasPlace ? 0 : MF_GRAYED), kResetPosition,
              ProgramText(IDS_RESET_POSITION).c_str());
  AppendMenuW(menu.Get(), MF_STRING, kExit, ProgramText(IDS_EXIT).c_str());
  RunMenuCommand(TrackMenu(menu.Get(), screen), bandMenu.Get());
}

// The menu closes when the user clicks elsewhere only if its owner is in
// the foreground.
UINT Strip::TrackMenu(HMENU menu, POINT screen) {
  SetForegroundWindow(window);
  UINT chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window, nullptr);
  PostMessageW(window, WM_NULL, 0, 0);
  return chosen;
}

// A choice that cannot be stored holds for this run only: the setting keeps
// its stored value, which the menu shows the next time it opens.
void Strip::RunMenuCommand(UINT command, IContextMenu* bandMenu) {
  if (command >= kFirstBandCommand && command <= kLastBandCommand && bandMenu != nullptr) {
    InvokeBandCommand(bandMenu, window, command - kFirstBandCommand);
  } else if (command == kStartWithWindows) {
    TRACE_IF_FAILED(SetStartWithWindows(!StartsWithWindows()));
  } else if (command == kResetPosition) {
    TRACE_IF_FAILED(ForgetStripPlace());
    hasPlace = false;
    Reposition();
  } else if (command == kSettings) {
    OpenSettingsWindow();
  } else if (command == kExit) {
    DestroyWindow(window);
  }
}

// The icon's menu: what a program in the notification area offers.
void Strip::ShowIconMenu(POINT screen) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendMenuW(menu.Get(), MF_STRING, kSettings, ProgramText(IDS_SETTINGS).c_str());
  AppendStartWithWindows(menu.Get());
  AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.Get(), MF_STRING, kExit, ProgramText(IDS_EXIT).c_str());
  RunMenuCommand(TrackMenu(menu.Get(), screen), nullptr);
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
  if (settings.placement != StripMode::Float) {
    Reposition();
    return 0;
  }
  const ScreenRect kept = KeptInside(dropped, UsableArea(FactsOf(MonitorNearest(dropped))));
  place = {kept.left, kept.top};
  hasPlace = true;
  TRACE_IF_FAILED(WriteStripPlace(place));  // unstored, the place holds for this run only
  Reposition();
  return 0;
}

LRESULT Strip::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  if (wParam == SPI_SETWORKAREA) Reposition();
  // The strip, its band and the taskbar's bands follow, as after a save.
  if (IsPolicyChange(WM_SETTINGCHANGE, lParam)) TRACE_IF_FAILED(AnnounceSettingsChange());
  if (IsColourChange(WM_SETTINGCHANGE, wParam, lParam)) OnColourChange(0, 0);
  return 0;
}

LRESULT Strip::OnColourChange(WPARAM, LPARAM) {
  colours = CurrentBandColours();
  icon.Refresh();
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

// Monitors came or went, or another became the primary one (a laptop
// docked): the strip follows the primary monitor, its row with it.
LRESULT Strip::OnScreenChange(WPARAM, LPARAM) {
  if (settings.placementMonitor == StripMonitor::Primary) {
    const HMONITOR primary = PrimaryMonitor();
    if (primary != monitor) GiveUpRow();
    monitor = primary;
  }
  Reposition();
  icon.Refresh();
  return 0;
}

// Moved to a screen of another DPI: take the size offered, then the strip's
// own place at that size.
LRESULT Strip::OnDpiChanged(WPARAM, LPARAM lParam) {
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  // Not moved, the strip keeps its size; Reposition sizes it for the DPI.
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  Reposition();
  icon.Refresh();
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
  if (LOWORD(state) == WA_INACTIVE && !BelongsTo(reinterpret_cast<HWND>(other), owner.Get()))
    PutAway();
  return 0;
}

// Explorer started again: its taskbar may lie elsewhere, and the icon is
// gone with the old one.
LRESULT Strip::OnTaskbarCreated(WPARAM, LPARAM) {
  row.Forget();
  ListenToShell(ABM_NEW);
  Reposition();
  TRACE_IF_FAILED(icon.Show(window, iconNoticeMessage));
  return 0;
}

LRESULT Strip::OnCalled(WPARAM, LPARAM) {
  Call();
  return 0;
}

// The shell's notices in its fourth version's form: the event in the low
// word, the place of a menu in wParam.
LRESULT Strip::OnIconNotice(WPARAM anchor, LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
      Call();
      break;
    case WM_CONTEXTMENU:
      ShowIconMenu({static_cast<short>(LOWORD(anchor)), static_cast<short>(HIWORD(anchor))});
      break;
  }
  return 0;
}

LRESULT Strip::OnBoxDone(WPARAM, LPARAM) {
  PutAway();
  return 0;
}

LRESULT Strip::OnSettingsChanged(WPARAM, LPARAM) {
  settings = ReadSettings();
  FollowPlacement();
  return 0;
}

LRESULT Strip::OnQueryEndSession(WPARAM, LPARAM) { return TRUE; }

// The session ends: let the band go now, the process may not get further.
LRESULT Strip::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) DestroyWindow(window);
  return 0;
}

// The program ends with its strip; a strip that never opened leaves the
// program to say why.
LRESULT Strip::OnDestroy(WPARAM, LPARAM) {
  hiddenKey.Stop();
  foregroundHook.Reset();
  locationHook.Reset();
  watching = nullptr;
  icon.Remove();
  GiveUpRow();
  ListenToShell(ABM_REMOVE);
  band.Release();
  if (open) PostQuitMessage(0);
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
