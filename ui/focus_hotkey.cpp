#include "ui/focus_hotkey.h"

#include "module/module_state.h"
#include "ui/band_window.h"
#include "ui/shared_hook_state.h"

namespace corvane {
namespace {

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(sharedHookState.hookHandle, code, wParam, lParam);
}

// Only a search box that can be seen at the target point is clicked: a
// hidden or covered band must not turn F12 into a click on something else.
bool SearchBoxIsAt(HWND hintEdit, POINT point) {
  HWND shown = WindowFromPoint(point);
  if (shown == hintEdit) return true;
  return shown != nullptr && GetParent(shown) == GetParent(hintEdit) &&
         GetDlgCtrlID(shown) == kSearchEditId;
}

MOUSEINPUT AbsoluteMouse(POINT screen, int screenWidth, int screenHeight, DWORD flags) {
  MOUSEINPUT mouse = {};
  mouse.dx = MulDiv(screen.x, 65535, screenWidth);
  mouse.dy = MulDiv(screen.y, 65535, screenHeight);
  mouse.dwFlags = MOUSEEVENTF_ABSOLUTE | flags;
  return mouse;
}

}  // namespace

HHOOK InstallFocusHotkey(HWND hintEdit) {
  sharedHookState.hookHintEdit = hintEdit;  // the target before the hook
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, FocusHotkeyHook, ModuleInstance, 0);
  sharedHookState.hookHandle = hook;
  return hook;
}

LRESULT CALLBACK FocusHotkeyHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0 || wParam != VK_F12) return PassOn(code, wParam, lParam);
  POINT saved;
  if (!GetCursorPos(&saved)) return PassOn(code, wParam, lParam);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  HWND target = sharedHookState.hookHintEdit;
  POINT point = {1, 1};
  if (!ClientToScreen(target, &point) || !SearchBoxIsAt(target, point))
    return PassOn(code, wParam, lParam);

  INPUT inputs[4] = {};
  const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi = AbsoluteMouse(point, screenWidth, screenHeight, flags[i]);
  }
  inputs[3].type = INPUT_MOUSE;
  inputs[3].mi = AbsoluteMouse(saved, screenWidth, screenHeight, MOUSEEVENTF_MOVE);
  SendInput(4, inputs, sizeof(INPUT));
  return 1;
}

}  // namespace corvane
