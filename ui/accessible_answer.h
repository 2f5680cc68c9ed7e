// The answer to WM_GETOBJECT for one of the band's windows, from the UI
// module's objects (ui/accessible_window.h): asked only in the band's
// process, which alone loads that module.
#pragma once
#include <windows.h>

namespace corvane {

struct AccessibleParts;

// false where the window answers as any window: another object, or no UI
// module.
bool AnswerWithParts(HWND window, WPARAM flags, LPARAM objectId, const AccessibleParts* parts,
                     LRESULT* answer);

}  // namespace corvane
