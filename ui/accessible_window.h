// What screen readers are told of one of Corvane's windows: an accessible
// object of its own, which the window gives out for WM_GETOBJECT, for the
// window itself (part 0) and for the parts drawn inside it (1 and on).
#pragma once
#include <windows.h>

namespace corvane {

struct AccessiblePart {
  long role = 0;   // ROLE_SYSTEM_...
  long state = 0;  // STATE_SYSTEM_...
  // Valid until the next call; null: none.
  const wchar_t* name = nullptr;
  const wchar_t* description = nullptr;
  const wchar_t* defaultAction = nullptr;
  // The part's value is this window's text.
  HWND valueOf = nullptr;
  // A part that is a window of its own, with its own object.
  HWND window = nullptr;
  // In the window's client coordinates; the window itself is where it is.
  RECT place = {};
};

// How a kind of window describes itself; every function is asked anew at
// each call, so what is said is always what is shown.
struct AccessibleParts {
  long (*count)(HWND window);
  // false: no such part (any more).
  bool (*describe)(HWND window, long part, AccessiblePart* facts);
  // The part's default action; null where no part has one.
  bool (*act)(HWND window, long part);
  // The chosen part, 0 for none; null where nothing is chosen.
  long (*chosen)(HWND window);
};

// The answer to WM_GETOBJECT for the window's client area. false (and the
// window answers as any window) for other objects, or where the system's
// accessibility library cannot be loaded.
bool AnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId,
                            const AccessibleParts* parts, LRESULT* answer);

}  // namespace corvane
