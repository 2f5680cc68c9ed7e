// One of the program's strips: a small borderless always-on-top window that
// is a band's site, docked beside the taskbar of its monitor (floating, in a
// row it keeps for itself, or out of sight until called) or where the user
// dragged it by its grip. The strips of the program are a StripSet's.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>

#include "program/hosted_band.h"
#include "program/reserved_row.h"
#include "program/screen_areas.h"
#include "support/band_colours.h"
#include "support/windows_handles.h"
#include "ui/accessible_window.h"

namespace corvane::program {

class StripSet;

class Strip {
 public:
  Strip(StripSet& set, ComPtr<IDeskBand> band, HMONITOR monitor)
      : set(set), band(std::move(band)), monitor(monitor), monitorName(DeviceNameOf(monitor)) {}
  ~Strip();
  Strip(const Strip&) = delete;
  Strip& operator=(const Strip&) = delete;

  // Creates the window, owned by `owner`, sites and shows the band and docks
  // the strip. The band is let go when the window is destroyed.
  HRESULT Open(HWND owner);

  HWND Window() const { return window; }
  HWND BandWindow() const { return band.Window(); }
  HMONITOR Monitor() const { return monitor; }
  // The system's name of the monitor it was placed on, which outlives the
  // monitor's handle when the monitors change.
  const std::wstring& MonitorName() const { return monitorName; }
  // Docks on `other` from now on; a row it kept elsewhere is given back.
  void MoveTo(HMONITOR other);
  // The settings changed: in sight or not, where they say.
  void FollowPlacement();
  // Called by the focus key, the icon or a second start: the strip comes
  // into sight where it belongs, the focus in its box. By a key, the box is
  // clicked where Windows gives the foreground only to the program the key
  // went to.
  void Call();
  void CallByKey();
  // Explorer started again: its taskbar may lie elsewhere.
  void AfterShellRestart();
  // A window in front that fills the strip's monitor puts a strip that is
  // always in sight away until it ends.
  void StepBackForFullScreen();

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
  LRESULT OnDpiChanged(WPARAM, LPARAM);
  LRESULT OnShellNotice(WPARAM, LPARAM);
  LRESULT OnActivate(WPARAM, LPARAM);
  LRESULT OnBoxDone(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  // What concerns the whole program goes to the set.
  LRESULT OnCalled(WPARAM, LPARAM);
  LRESULT OnIconNotice(WPARAM, LPARAM);
  LRESULT OnSettingsChanged(WPARAM, LPARAM);

  void ListenToShell(DWORD registration);
  HRESULT ShowBand();
  void LayOutBand();
  StripSize SizeOnMonitor() const;
  void Reposition();
  void GiveUpRow();
  int HiddenTaskbarSliver(const ScreenFacts& screen) const;
  ScreenRect UsableArea(const ScreenFacts& screen) const;
  void PutAway();
  void FocusSearchBox();
  HWND SearchBox() const;
  void ShowMenu(POINT screen);
  void RunMenuCommand(UINT command, IContextMenu* bandMenu);
  int GripWidth() const;

  // Screen readers: a toolbar named Corvane holding its grip, whose action
  // opens the menu, and the band.
  static const AccessibleParts kAccessibleParts;
  static long AccessiblePartCount(HWND window);
  static bool DescribePart(HWND window, long part, AccessiblePart* facts);
  static bool ActOnPart(HWND window, long part);

  StripSet& set;
  HWND window = nullptr;
  HostedBand band;
  HMONITOR monitor;  // where it docks
  std::wstring monitorName;
  POINT place = {};  // where the user put the floating strip, when hasPlace
  bool hasPlace = false;
  bool moving = false;
  bool steppedBack = false;  // for a full-screen window on its monitor
  RECT moveStart = {};
  ReservedRow row;
  BandColours colours = {};
  std::wstring name, gripName, openMenu;
  UINT focusSearchBoxMessage = 0;
  UINT shellNoticeMessage = 0;
  UINT iconNoticeMessage = 0;
  UINT boxDoneMessage = 0;
  UINT settingsChangedMessage = 0;
};

}  // namespace corvane::program
