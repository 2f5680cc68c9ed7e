#include "program/screen_areas.h"

#include <shellapi.h>

namespace corvane::program {
namespace {

ScreenRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

TaskbarEdge FromAppBarEdge(UINT edge) {
  switch (edge) {
    case ABE_LEFT:
      return TaskbarEdge::Left;
    case ABE_TOP:
      return TaskbarEdge::Top;
    case ABE_RIGHT:
      return TaskbarEdge::Right;
    case ABE_BOTTOM:
      return TaskbarEdge::Bottom;
  }
  return TaskbarEdge::None;
}

ScreenRect PrimaryMonitor() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

// The system's work area is the primary monitor's.
ScreenRect PrimaryWorkArea() {
  RECT work = {};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return PrimaryMonitor();
  return FromRect(work);
}

TaskbarEdge PrimaryTaskbarEdge() {
  APPBARDATA taskbar = {};
  taskbar.cbSize = sizeof taskbar;
  TaskbarReport report = {SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar) != 0,
                          FromAppBarEdge(taskbar.uEdge), FromRect(taskbar.rc)};
  return FindTaskbarEdge(report, PrimaryMonitor(), PrimaryWorkArea());
}

ScreenRect WorkAreaNearest(const ScreenRect& rect) {
  RECT wanted = {rect.left, rect.top, rect.right, rect.bottom};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor) ||
      (monitor.dwFlags & MONITORINFOF_PRIMARY) != 0)
    return PrimaryWorkArea();
  return FromRect(monitor.rcWork);
}

}  // namespace corvane::program
