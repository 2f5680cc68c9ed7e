// The program's strips: one beside the taskbar of the primary monitor, of
// the monitor where it was called, or of every monitor, each a band of its
// own; and what they share: the settings as last read, the icon in the
// notification area, F12 for strips out of sight, the window in front
// watched, and a hidden window that hears the system for them all and owns
// them (an owned window gets no taskbar button on any shell).
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "program/hidden_focus_key.h"
#include "program/notification_icon.h"
#include "program/strip_window.h"
#include "support/settings_store.h"
#include "support/windows_handles.h"

namespace corvane::program {

// Makes a band for another strip; fails as CoCreateInstance does.
using BandMaker = HRESULT (*)(IDeskBand** band);

class StripSet {
 public:
  explicit StripSet(BandMaker makeBand) : makeBand(makeBand) {}
  StripSet(const StripSet&) = delete;
  StripSet& operator=(const StripSet&) = delete;
  ~StripSet();

  // Opens the strips the settings ask for. Fails when not even the first
  // one opens; a strip of another monitor that cannot open is left out.
  HRESULT Open();

  // Before the message loop hands `message` on: the focus key combination,
  // which a band's window hears, calls the strip in front when it is out of
  // sight.
  void BeforeDispatch(const MSG& message);

  const Settings& CurrentSettings() const { return settings; }
  // Whether a strip keeps the place the user dragged it to across runs:
  // with a strip on every monitor, one stored place would serve none.
  bool KeepsStoredPlace() const { return settings.placementMonitor != StripMonitor::All; }
  // Hands a message that concerns the whole program to the set's window,
  // where it is carried out after the strip's own message.
  void Forward(UINT message, WPARAM wParam, LPARAM lParam) const;
  // Draws the icon anew at the taskbar's DPI.
  void RefreshIcon();
  // The session ends: every strip lets its band go at once, for the process
  // may not get further, and the program ends.
  void EndSession();

 private:
  using Handler = LRESULT (StripSet::*)(WPARAM, LPARAM);
  struct MessageEntry {
    UINT message;
    Handler handler;
  };
  struct RegisteredEntry {
    UINT StripSet::*message;
    Handler handler;
  };
  static const MessageEntry kMessages[];
  static const RegisteredEntry kRegisteredMessages[];
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The system's hooks call back without a context: the program's one set.
  static StripSet* watching;
  static void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD,
                                     DWORD);

  LRESULT OnScreenChange(WPARAM, LPARAM);
  LRESULT OnSettingChange(WPARAM, LPARAM);
  LRESULT OnColourChange(WPARAM, LPARAM);
  LRESULT OnFocusKeyHeard(WPARAM, LPARAM);
  LRESULT OnTaskbarCreated(WPARAM, LPARAM);
  LRESULT OnCalled(WPARAM, LPARAM);
  LRESULT OnIconNotice(WPARAM, LPARAM);
  LRESULT OnSettingsChanged(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);

  // Strips where the settings say, on the monitors there are now.
  HRESULT FollowScreens();
  HRESULT FollowAllMonitors();
  HRESULT FollowOneMonitor();
  HRESULT AddStrip(HMONITOR monitor);
  void FollowPlacement();
  Strip* StripInFront() const;
  void WatchFullScreen();
  void ShowIconMenu(POINT screen);
  void CloseAll();

  BandMaker makeBand;
  Settings settings;  // as last read: at the start and at each change
  UniqueWindow window;
  std::vector<std::unique_ptr<Strip>> strips;
  NotificationIcon icon;
  HiddenFocusKey hiddenKey;  // F12 for strips out of sight
  UniqueWinEventHook foregroundHook, locationHook;
  bool open = false;
  UINT taskbarCreatedMessage = 0;
  UINT focusSearchBoxMessage = 0;
  UINT iconNoticeMessage = 0;
  UINT settingsChangedMessage = 0;
};

}  // namespace corvane::program
