// F12 from any application: a system-wide keyboard hook that clicks the
// band's hint box, which opens the search box with the keyboard focus.
#pragma once
#include <windows.h>

namespace corvane {

// Lists `hintEdit` among its session's targets, records it as the target and
// installs the hook for all threads of the desktop. Returns the new hook (the
// band keeps it), or null when the box cannot be listed (a full list) or the
// hook cannot be installed.
HHOOK InstallFocusHotkey(HWND hintEdit);

}  // namespace corvane
