// The program's window: a small borderless always-on-top strip that is the
// band's site, docked beside the taskbar (floating, in a row it keeps for
// itself, or out of sight until called) or where the user dragged it by its
// grip; and the program's icon in the notification area.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>

#include "program/hidden_focus_key.h"
#include "program/hosted_band.h"
#include "program/notification_icon.h"
#include "program/program_settings.h"
#include "program/reserved_row.h"
#include "program/screen_areas.h"
#include "support/band_colours.h"
#include "support/settings_store.h"
#include "support/windows_handles.h"
#include "ui/accessible_window.h"

namespace corvane::program {

class Strip {
 public:
  explicit Strip(ComPtr<IDeskBand> band) : band(std::move(band)) {}
  Strip(const Strip&) = delete;
  Strip& operator=(const Strip&) = delete;

  // Creates the window, sites and shows the band and docks the strip. The
  // band is let go when the window is destroyed.
  HRESULT Open();

  // Before the message loop hands `message` on: the focus key combination,
  // which the band's window hears, calls a strip that is out of sight.
  void BeforeDispatch(const MSG& message);

 private:
  using Handler = LRESULT (Strip::*)(WPARAM, LPARAM);
  struct MessageEntry {
    UINT message;
    Handler handler;
  };
  // Messages registered by name, found by the member that holds their number.
  struct RegisteredEntry {
    UINT Strip::*message;
    Handler handler;
  };
  static const MessageEntry kMessages[];
  static const RegisteredEntry kRegisteredMessages[];
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The system's hooks call back without a context: the program's one strip.
  static Strip* watching;
  static void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD,
                                     DWORD);

  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnHitTest(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnContextMenu(WPARAM, LPARAM);
  LRESULT OnCaptionRightDown(WPARAM, LPARAM);
  LRESULT OnCaptionRightUp(WPARAM, LPARAM);
  LRESULT OnEnterMove(WPARAM, LPARAM);
  LRESULT OnExitMove(WPARAM, LPARAM);
  LRESULT OnSettingChange(WPARAM, LPARAM);
  LRESULT OnColourChange(WPARAM, LPARAM);
  LRESULT OnGetObject(WPARAM, LPARAM);
  LRESULT OnScreenChange(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);
  LRESULT OnShellNotice(WPARAM, LPARAM);
  LRESULT OnActivate(WPARAM, LPARAM);
  LRESULT OnTaskbarCreated(WPARAM, LPARAM);
  LRESULT OnCalled(WPARAM, LPARAM);
  LRESULT OnFocusKeyHeard(WPARAM, LPARAM);
  LRESULT OnIconNotice(WPARAM, LPARAM);
  LRESULT OnBoxDone(WPARAM, LPARAM);
  LRESULT OnSettingsChanged(WPARAM, LPARAM);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

  void ListenToShell(DWORD registration);
  HRESULT ShowBand();
  void LayOutBand();
  void Reposition();
  void GiveUpRow();
  int HiddenTaskbarSliver(const ScreenFacts& screen) const;
  ScreenRect UsableArea(const ScreenFacts& screen) const;
  void Call();
  void PutAway();
  void FollowPlacement();
  void WatchFullScreen();
  void StepBackForFullScreen();
  void FocusSearchBox();
  HWND SearchBox() const;
  void ShowMenu(POINT screen);
  void ShowIconMenu(POINT screen);
  UINT TrackMenu(HMENU menu, POINT screen);
  void RunMenuCommand(UINT command, IContextMenu* bandMenu);
  int GripWidth() const;

  // Screen readers: a toolbar named Corvane holding its grip, whose action
  // opens the menu, and the band.
  static const AccessibleParts kAccessibleParts;
  static long AccessiblePartCount(HWND window);
  static bool DescribePart(HWND window, long part, AccessiblePart* facts);
  static bool ActOnPart(HWND window, long part);

  // Hidden; an owned window gets no taskbar button on any shell.
  UniqueWindow owner;
  HWND window = nullptr;
  HostedBand band;
  NotificationIcon icon;
  Settings settings;           // as last read: at the start and at each change
  HMONITOR monitor = nullptr;  // where it docks: the primary, or where it was called
  POINT place = {};            // where the user put the floating strip, when hasPlace
  bool hasPlace = false;
  bool open = false;
  bool moving = false;
  bool steppedBack = false;  // for a full-screen window on its monitor
  RECT moveStart = {};
  ReservedRow row;
  UniqueWinEventHook foregroundHook, locationHook;
  HiddenFocusKey hiddenKey;  // F12 for a strip out of sight
  BandColours colours = {};
  std::wstring name, gripName, openMenu;
  UINT taskbarCreatedMessage = 0;
  UINT focusSearchBoxMessage = 0;
  UINT shellNoticeMessage = 0;
  UINT iconNoticeMessage = 0;
  UINT boxDoneMessage = 0;
  UINT settingsChangedMessage = 0;
};

}  // namespace corvane::program
