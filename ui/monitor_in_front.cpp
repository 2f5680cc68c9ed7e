#include "ui/monitor_in_front.h"

namespace corvane {

HMONITOR MonitorInFront() {
  if (HWND front = GetForegroundWindow())
    if (HMONITOR monitor = MonitorFromWindow(front, MONITOR_DEFAULTTONULL)) return monitor;
  POINT pointer = {};
  return GetCursorPos(&pointer) ? MonitorFromPoint(pointer, MONITOR_DEFAULTTONULL) : nullptr;
}

}  // namespace corvane
