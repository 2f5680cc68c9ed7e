// The program's window: a small borderless always-on-top strip that is the
// band's site, docked at the primary taskbar's edge or where the user
// dragged it by its grip.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>

#include "program/hosted_band.h"
#include "support/windows_handles.h"
#include "ui/accessible_window.h"
#include "support/band_colours.h"

namespace corvane::program {

class Strip {
 public:
  explicit Strip(ComPtr<IDeskBand> band) : band(std::move(band)) {}
  Strip(const Strip&) = delete;
  Strip& operator=(const Strip&) = delete;

  // Creates the window, sites and shows the band and docks the strip. The
  // band is let go when the window is destroyed.
  HRESULT Open();

 private:
  using Handler = LRESULT (Strip::*)(WPARAM, LPARAM);
  struct MessageEntry {
    UINT message;
    Handler handler;
  };
  static const MessageEntry kMessages[];
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
  LRESULT OnScreenChange(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);
  LRESULT OnShellNotice(WPARAM, LPARAM);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

  void ListenToShell(DWORD registration);
  HRESULT ShowBand();
  void LayOutBand();
  void Reposition();
  void FocusSearchBox();
  void ShowMenu(POINT screen);
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
  POINT place = {};  // where the user put the strip, when hasPlace
  bool hasPlace = false;
  bool open = false;
  bool moving = false;
  RECT moveStart = {};
  BandColours colours = {};
  std::wstring name, gripName, openMenu;
  UINT taskbarCreatedMessage = 0;
  UINT focusSearchBoxMessage = 0;
  UINT shellNoticeMessage = 0;
};

}  // namespace corvane::program
