// F12 from any application: a system-wide keyboard hook that clicks the
// band's hint box, which opens the search box with the keyboard focus.
#pragma once
#include <windows.h>

namespace corvane {

// Records `hintEdit` (already listed among its session's targets) as the
// target and installs the hook for all threads of the desktop. Returns the
// new hook (the band keeps it), or null when it cannot be installed.
HHOOK InstallFocusHotkey(HWND hintEdit);

// Clicks a hint box of the session that can be seen at its click point and
// puts the pointer back: the newest on the monitor the user works on, else
// the newest anywhere. What the focus key does, F12's hook or a registered
// combination. False, with nothing done, when there is none.
bool ClickFocusTargetInFront();

}  // namespace corvane
