// The monitor the user works on, where the focus key and the clipboard's
// key bring the box: the one holding the window in front, else the one with
// the pointer.
#pragma once
#include <windows.h>

namespace corvane {

// Null only when neither can be read.
HMONITOR MonitorInFront();

}  // namespace corvane
