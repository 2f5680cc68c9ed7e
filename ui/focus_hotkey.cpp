#include "ui/focus_hotkey.h"

#include "support/module_state.h"
#include "ui/absolute_pointer.h"
#include "ui/band_window.h"
#include "ui/focus_targets.h"
#include "ui/shared_hook_state.h"

namespace corvane {
namespace {

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(SharedHookState.hookHandle, code, wParam, lParam);
}

POINT ClickPointOf(HWND hintEdit) {
  POINT point = {1, 1};
  if (!ClientToScreen(hintEdit, &point)) return {-1, -1};
  return point;
}

// Only a search box that can be seen at its click point is clicked: a
// hidden or covered band must not turn F12 into a click on something else.
bool IsClickableHintBox(HWND hintEdit) {
  if (!IsHintBox(hintEdit)) return false;
  HWND shown = WindowFromPoint(ClickPointOf(hintEdit));
  if (shown == hintEdit) return true;
  return shown != nullptr && GetParent(shown) == GetParent(hintEdit) &&
         GetDlgCtrlID(shown) == kSearchEditId;
}

struct VirtualDesktop {
  DesktopAxis x;
  DesktopAxis y;
};

VirtualDesktop CurrentVirtualDesktop() {
  return {{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN)},
          {GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}};
}

INPUT AbsoluteMouse(POINT screen, const VirtualDesktop& desktop, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = NormalisedCoordinate(screen.x, desktop.x);
  input.mi.dy = NormalisedCoordinate(screen.y, desktop.y);
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | flags;
  return input;
}

}  // namespace

bool ClickNewestFocusTarget() {
  POINT saved;
  if (!GetCursorPos(&saved)) return false;
  HWND target = NewestSessionFocusTarget(IsClickableHintBox);
  if (target == nullptr) return false;

  // With the buttons swapped the system takes the right button as the
  // primary one: the click must be the primary button's.
  bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  VirtualDesktop desktop = CurrentVirtualDesktop();
  POINT point = ClickPointOf(target);
  INPUT inputs[4] = {
      AbsoluteMouse(point, desktop, MOUSEEVENTF_MOVE),
      AbsoluteMouse(point, desktop, swapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
      AbsoluteMouse(point, desktop, swapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP),
      AbsoluteMouse(saved, desktop, MOUSEEVENTF_MOVE),
  };
  // The key is the box's either way: input the system refuses (a program of
  // higher integrity in front) clicks nothing.
  SendInput(4, inputs, sizeof(INPUT));
  return true;
}

namespace {

LRESULT CALLBACK FocusHotkeyHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0 || wParam != VK_F12 || !ClickNewestFocusTarget())
    return PassOn(code, wParam, lParam);
  return 1;  // F12 goes no further
}

}  // namespace

HHOOK InstallFocusHotkey(HWND hintEdit) {
  SharedHookState.hookHintEdit = hintEdit;  // the target before the hook
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, FocusHotkeyHook, ModuleInstance, 0);
  SharedHookState.hookHandle = hook;
  return hook;
}

}  // namespace corvane
