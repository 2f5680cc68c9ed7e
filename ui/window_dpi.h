// The DPI a window is shown at.
#pragma once
#include <windows.h>

namespace corvane {

// The window's own DPI where the system keeps one per window (looked up at
// run time, so that the module also loads where it does not), else the
// screen's; 96 when neither can be read.
int WindowDpi(HWND window);

}  // namespace corvane
