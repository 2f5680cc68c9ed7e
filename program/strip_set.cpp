#include "program/strip_set.h"

#include <shellapi.h>

#include <string>

#include "program/program_menu.h"
#include "program/program_resource_ids.h"
#include "program/program_texts.h"
#include "program/program_window_class.h"
#include "program/single_instance.h"
#include "program/strip_monitors.h"
#include "res/product.h"
#include "support/hresult.h"
#include "ui/colour_mode.h"
#include "ui/focus_key_binding.h"
#include "ui/monitor_in_front.h"

namespace corvane::program {
namespace {

// Posted by the keyboard hook: F12 came while the strips were out of sight.
constexpr UINT kFocusKeyHeard = WM_APP + 1;

}  // namespace

const StripSet::MessageEntry StripSet::kMessages[] = {
    {WM_DISPLAYCHANGE, &StripSet::OnScreenChange},
    {WM_SETTINGCHANGE, &StripSet::OnSettingChange},
    {WM_SYSCOLORCHANGE, &StripSet::OnColourChange},
    {WM_THEMECHANGED, &StripSet::OnColourChange},
    {kFocusKeyHeard, &StripSet::OnFocusKeyHeard},
    {WM_ENDSESSION, &StripSet::OnEndSession},
    {WM_CLOSE, &StripSet::OnClose},
};

const StripSet::RegisteredEntry StripSet::kRegisteredMessages[] = {
    {&StripSet::taskbarCreatedMessage, &StripSet::OnTaskbarCreated},
    {&StripSet::focusSearchBoxMessage, &StripSet::OnCalled},
    {&StripSet::iconNoticeMessage, &StripSet::OnIconNotice},
    {&StripSet::settingsChangedMessage, &StripSet::OnSettingsChanged},
};

StripSet* StripSet::watching = nullptr;

StripSet::~StripSet() { CloseAll(); }

HRESULT StripSet::Open() {
  RETURN_IF_FAILED(RegisterProgramClass(kStripSetWindowClass, WindowProc));
  taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
  focusSearchBoxMessage = FocusSearchBoxMessage();
  iconNoticeMessage = RegisterWindowMessageW(kIconNoticeMessage);
  settingsChangedMessage = RegisterWindowMessageW(kSettingsChangedMessage);
  settings = ReadSettings();
  ReservedRow::GiveBackLeftOver();
  window.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kStripSetWindowClass, nullptr, WS_POPUP, 0, 0, 0,
                               0, nullptr, nullptr, GetModuleHandleW(nullptr), this));
  RETURN_LAST_ERROR_IF(!window);
  // An elevated program still hears a restarted Explorer and its icon's
  // clicks; where the filter cannot be changed it works on without them.
  for (UINT message : {taskbarCreatedMessage, iconNoticeMessage})
    ChangeWindowMessageFilterEx(window.Get(), message, MSGFLT_ALLOW, nullptr);
  // The first strip must open; the others are left out when they cannot.
  RETURN_IF_FAILED(AddStrip(PrimaryMonitor()));
  // Open from here on: the calls below let other threads' messages in, and
  // the end of the session may close the program meanwhile.
  open = true;
  watching = this;
  TRACE_IF_FAILED(FollowScreens());
  FollowPlacement();
  if (!window) return S_OK;  // closed meanwhile: the loop ends at once
  WatchFullScreen();
  // Without a notification area yet, the icon comes when the taskbar does.
  TRACE_IF_FAILED(icon.Show(window.Get(), iconNoticeMessage));
  return S_OK;
}

void StripSet::BeforeDispatch(const MSG& message) {
  if (message.message != WM_HOTKEY || message.wParam != kFocusKeyHotkeyId ||
      settings.placement != StripMode::Hidden)
    return;
  for (const auto& strip : strips)
    if (message.hwnd == strip->BandWindow()) {
      Strip* front = StripInFront();
      if (front != nullptr && !IsWindowVisible(front->Window())) front->Call();
      return;
    }
}

void StripSet::Forward(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (window) PostMessageW(window.Get(), message, wParam, lParam);
}

void StripSet::RefreshIcon() { icon.Refresh(); }

HRESULT StripSet::AddStrip(HMONITOR monitor) {
  ComPtr<IDeskBand> band;
  RETURN_IF_FAILED(makeBand(band.Put()));
  auto strip = std::make_unique<Strip>(*this, std::move(band), monitor);
  RETURN_IF_FAILED(strip->Open(window.Get()));
  strips.push_back(std::move(strip));
  return S_OK;
}

HRESULT StripSet::FollowScreens() {
  return settings.placementMonitor == StripMonitor::All ? FollowAllMonitors() : FollowOneMonitor();
}

// One strip on each monitor: those whose monitor is gone move to a new one
// or close, and each new monitor without one gets one.
HRESULT StripSet::FollowAllMonitors() {
  const std::vector<HMONITOR> monitors = AllMonitors();
  std::vector<std::wstring> monitorNames, stripNames;
  for (HMONITOR monitor : monitors) monitorNames.push_back(DeviceNameOf(monitor));
  for (const auto& strip : strips) stripNames.push_back(strip->MonitorName());
  const std::vector<int> placed = MatchStripsToMonitors(stripNames, monitorNames);
  std::vector<std::unique_ptr<Strip>> kept;
  for (int strip : placed)
    if (strip != kNewStrip) kept.push_back(std::move(strips[strip]));
  strips = std::move(kept);  // the strips left over close here
  HRESULT result = S_OK;
  size_t next = 0;
  for (size_t monitor = 0; monitor < monitors.size(); ++monitor) {
    if (placed[monitor] == kNewStrip) {
      const HRESULT added = AddStrip(monitors[monitor]);
      if (FAILED(added)) result = added;
      continue;
    }
    strips[next++]->MoveTo(monitors[monitor]);
  }
  return result;
}

// One strip: on the primary monitor, or where it was last called (on the
// primary one once that monitor is gone).
HRESULT StripSet::FollowOneMonitor() {
  if (strips.size() > 1) strips.resize(1);
  if (strips.empty()) return AddStrip(PrimaryMonitor());
  Strip& strip = *strips.front();
  const bool gone = DeviceNameOf(strip.Monitor()).empty();
  if (settings.placementMonitor == StripMonitor::Primary || gone) strip.MoveTo(PrimaryMonitor());
  return S_OK;
}

// Where the settings say the strips live; F12 is heard here while they are
// out of sight, for the band's hook serves only a box in sight.
void StripSet::FollowPlacement() {
  for (const auto& strip : strips) strip->FollowPlacement();
  if (settings.placement == StripMode::Hidden && settings.focusKey.kind == FocusKeyKind::kF12Hook) {
    // Without the hook the strips are still called by the icon.
    TRACE_IF_FAILED(hiddenKey.Start(window.Get(), kFocusKeyHeard));
  } else {
    hiddenKey.Stop();
  }
}

// The strip on the monitor the user works on; the first where none stands
// there.
Strip* StripSet::StripInFront() const {
  if (strips.empty()) return nullptr;
  const HMONITOR front = MonitorInFront();
  for (const auto& strip : strips)
    if (strip->Monitor() == front) return strip.get();
  return strips.front().get();
}

// The window in front and its moves: a window that fills a strip's monitor
// (and only that one) puts that strip away until it ends.
void StripSet::WatchFullScreen() {
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

void CALLBACK StripSet::OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND eventWindow, LONG object,
                                      LONG, DWORD, DWORD) {
  if (watching == nullptr) return;
  if (event == EVENT_SYSTEM_FOREGROUND) watching->WatchFullScreen();
  if (event != EVENT_SYSTEM_FOREGROUND &&
      (object != OBJID_WINDOW || eventWindow != GetForegroundWindow()))
    return;
  for (const auto& strip : watching->strips) strip->StepBackForFullScreen();
}

// The icon's menu: what a program in the notification area offers.
void StripSet::ShowIconMenu(POINT screen) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendProgramItems(menu.Get());
  AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.Get(), MF_STRING, kExit, ProgramText(IDS_EXIT).c_str());
  const UINT command = TrackMenu(window.Get(), menu.Get(), screen);
  if (command == kExit) Forward(WM_CLOSE, 0, 0);
  RunProgramCommand(command);
}

// Monitors came or went, were rearranged, or another became the primary one
// (a laptop docked): the strips follow, their rows with them.
LRESULT StripSet::OnScreenChange(WPARAM, LPARAM) {
  TRACE_IF_FAILED(FollowScreens());
  FollowPlacement();
  icon.Refresh();
  return 0;
}

LRESULT StripSet::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  // The strips, their bands and the taskbar's bands follow, as after a save.
  if (IsPolicyChange(WM_SETTINGCHANGE, lParam)) TRACE_IF_FAILED(AnnounceSettingsChange());
  if (IsColourChange(WM_SETTINGCHANGE, wParam, lParam)) icon.Refresh();
  return 0;
}

// The taskbar's mode or colours changed: the icon is drawn for them.
LRESULT StripSet::OnColourChange(WPARAM, LPARAM) {
  icon.Refresh();
  return 0;
}

// F12 for strips out of sight: the one in front comes.
LRESULT StripSet::OnFocusKeyHeard(WPARAM, LPARAM) {
  if (Strip* front = StripInFront()) front->CallByKey();
  return 0;
}

// Explorer started again: its taskbar may lie elsewhere, and the icon is
// gone with the old one.
LRESULT StripSet::OnTaskbarCreated(WPARAM, LPARAM) {
  for (const auto& strip : strips) strip->AfterShellRestart();
  TRACE_IF_FAILED(icon.Show(window.Get(), iconNoticeMessage));
  return 0;
}

// A second start, or a band that found no box in sight to focus.
LRESULT StripSet::OnCalled(WPARAM, LPARAM) {
  if (Strip* front = StripInFront()) front->Call();
  return 0;
}

// The shell's notices in its fourth version's form: the event in the low
// word, the place of a menu in wParam.
LRESULT StripSet::OnIconNotice(WPARAM anchor, LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
      OnCalled(0, 0);
      break;
    case WM_CONTEXTMENU:
      ShowIconMenu({static_cast<short>(LOWORD(anchor)), static_cast<short>(HIWORD(anchor))});
      break;
  }
  return 0;
}

// Told by each strip and band of the session; read once per notice.
LRESULT StripSet::OnSettingsChanged(WPARAM, LPARAM) {
  settings = ReadSettings();
  TRACE_IF_FAILED(FollowScreens());
  FollowPlacement();
  return 0;
}

void StripSet::EndSession() { CloseAll(); }

LRESULT StripSet::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) EndSession();
  return 0;
}

LRESULT StripSet::OnClose(WPARAM, LPARAM) {
  CloseAll();
  return 0;
}

// The program ends with its strips; a program whose first strip never
// opened leaves it to say why.
void StripSet::CloseAll() {
  hiddenKey.Stop();
  foregroundHook.Reset();
  locationHook.Reset();
  watching = nullptr;
  icon.Remove();
  strips.clear();
  window.Reset();
  if (open) PostQuitMessage(0);
  open = false;
}

LRESULT CALLBACK StripSet::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<StripSet*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* set = reinterpret_cast<StripSet*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (set == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  for (const RegisteredEntry& entry : kRegisteredMessages)
    if (message != 0 && message == set->*entry.message)
      return (set->*entry.handler)(wParam, lParam);
  for (const MessageEntry& entry : kMessages)
    if (entry.message == message) return (set->*entry.handler)(wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace corvane::program
