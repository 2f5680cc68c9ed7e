#include "program/key_field.h"

#include <commctrl.h>

#include "support/focus_key.h"
#include "support/wide_text.h"

namespace corvane::program {
namespace {

constexpr UINT_PTR kKeyFieldSubclass = 1;
constexpr size_t kCombinationCapacity = 64;

bool IsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

unsigned HeldModifiers() {
  unsigned held = 0;
  if (IsDown(VK_CONTROL)) held |= kModifierCtrl;
  if (IsDown(VK_MENU)) held |= kModifierAlt;
  if (IsDown(VK_SHIFT)) held |= kModifierShift;
  if (IsDown(VK_LWIN) || IsDown(VK_RWIN)) held |= kModifierWin;
  return held;
}

// The combination held down with `virtualKey` now, if it is one Corvane can
// use; else a key of kind kInvalid.
FocusKey PressedCombination(unsigned virtualKey) {
  FocusKey key;
  key.kind = FocusKeyKind::kCombination;
  key.modifiers = HeldModifiers();
  key.virtualKey = virtualKey;
  // Only what the field would accept typed: a named key and a modifier that
  // keeps it from being typed, or a function key.
  char16_t text[kCombinationCapacity] = {};
  if (!FormatFocusKey(key, text, kCombinationCapacity) || ParseFocusKey(text) != key) {
    key = FocusKey();
    key.kind = FocusKeyKind::kInvalid;
  }
  return key;
}

// Ctrl, Alt or Win: a key pressed with one of them is never typed text.
bool HoldsCombinationModifier() {
  return (HeldModifiers() & (kModifierCtrl | kModifierAlt | kModifierWin)) != 0;
}

bool IsKeyDown(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

// A key pressed with Ctrl, Alt or Win held, or a function key, is the
// field's, not the dialog's (Alt+letter would otherwise move to another
// field).
bool IsCombinationMessage(const MSG* message) {
  if (message == nullptr) return false;
  if (IsKeyDown(message->message))
    return HoldsCombinationModifier() ||
           PressedCombination(static_cast<unsigned>(message->wParam)).kind ==
               FocusKeyKind::kCombination;
  return (message->message == WM_CHAR || message->message == WM_SYSCHAR) &&
         HoldsCombinationModifier();
}

bool ShowPressedCombination(HWND field, WPARAM virtualKey) {
  const FocusKey key = PressedCombination(static_cast<unsigned>(virtualKey));
  char16_t text[kCombinationCapacity] = {};
  if (key.kind != FocusKeyKind::kCombination || !FormatFocusKey(key, text, kCombinationCapacity))
    return false;
  SetWindowTextW(field, AsWide(text));
  SendMessageW(field, EM_SETSEL, 0, -1);
  return true;
}

LRESULT CALLBACK KeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      if (IsCombinationMessage(reinterpret_cast<const MSG*>(lParam)))
        return DefSubclassProc(field, message, wParam, lParam) | DLGC_WANTMESSAGE;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (ShowPressedCombination(field, wParam)) return 0;
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      // The character of a combination that was taken.
      if (HoldsCombinationModifier()) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(field, KeyFieldProc, kKeyFieldSubclass);
      break;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

bool TakeCombinationsAsPressed(HWND field) {
  return SetWindowSubclass(field, KeyFieldProc, kKeyFieldSubclass, 0) != FALSE;
}

}  // namespace corvane::program
