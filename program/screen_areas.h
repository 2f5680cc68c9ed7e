// The screen as the strip sees it: the monitors, each one's work area,
// taskbar and DPI, the monitor under the pointer, the window that fills a
// monitor, and the work area set where no shell keeps the strip's row.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "program/strip_placement.h"

namespace corvane::program {

inline RECT ToRect(const ScreenRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}
inline ScreenRect FromRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

struct ScreenFacts {
  ScreenRect monitor;
  ScreenRect workArea;
  TaskbarEdge edge;
  bool taskbarHides;  // auto-hidden: it comes back at its edge
};

// The shell's name of an edge (ABE_...); none is the bottom.
UINT AppBarEdge(TaskbarEdge edge);

HMONITOR PrimaryMonitor();
HMONITOR MonitorOfPointer();
ScreenFacts FactsOf(HMONITOR monitor);
// The monitor's own DPI where the system keeps one per monitor; 0 where it
// cannot say.
int MonitorDpi(HMONITOR monitor);
// The system's name of a monitor ("\\.\DISPLAY2"), which outlives its
// handle across changes of the screens; empty for one that is gone.
std::wstring DeviceNameOf(HMONITOR monitor);
// Every monitor of the desktop, in the system's order.
std::vector<HMONITOR> AllMonitors();
// The monitor that holds most of `rect`, or the nearest.
HMONITOR MonitorNearest(const ScreenRect& rect);
// Sets the work area of the monitor that holds `area`, and says so.
bool SetWorkArea(const ScreenRect& area);
// Whether the window in front, not this program's, fills `monitor` without
// being maximised: a film, a game or a presentation.
bool FullScreenWindowOn(const ScreenRect& monitor);

}  // namespace corvane::program
