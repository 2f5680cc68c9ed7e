#include "ui/focus_key_hook.h"

#include "support/module_state.h"
#include "support/session_bands.h"
#include "ui/band_lookup.h"
#include "ui/box_click.h"
#include "ui/monitor_in_front.h"
#include "ui/shared_hook_state.h"

namespace corvane {
namespace {

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(SharedHookState.hookHandle, code, wParam, lParam);
}

// Only a search box that can be seen at its click point is clicked: a
// hidden or covered band must not turn F12 into a click on something else.
bool IsClickableHintBox(HWND hintEdit) {
  if (!IsHintBox(hintEdit)) return false;
  HWND shown = WindowFromPoint(BoxClickPoint(hintEdit));
  if (shown == hintEdit) return true;
  return shown != nullptr && GetParent(shown) == GetParent(hintEdit) &&
         GetDlgCtrlID(shown) == kSearchEditId;
}

// With a box on each monitor (Corvane.exe's strips), the one the user works
// on is clicked.
bool IsClickableHintBoxInFront(HWND hintEdit) {
  return MonitorFromWindow(hintEdit, MONITOR_DEFAULTTONULL) == MonitorInFront() &&
         IsClickableHintBox(hintEdit);
}

}  // namespace

bool ClickFocusTargetInFront() {
  HWND target = NewestSessionFocusTarget(IsClickableHintBoxInFront);
  if (target == nullptr) target = NewestSessionFocusTarget(IsClickableHintBox);
  // The key is the box's either way once it is clicked.
  return target != nullptr && ClickBox(target);
}

namespace {

LRESULT CALLBACK FocusHotkeyHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0 || wParam != VK_F12 || !ClickFocusTargetInFront())
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
