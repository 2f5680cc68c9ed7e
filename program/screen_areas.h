// The screen as the strip sees it: each monitor's work area and taskbar, the
// monitor under the pointer, the window that fills a monitor, and the work
// area set where no shell keeps the strip's row.
#pragma once
#include <windows.h>

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
// The monitor that holds most of `rect`, or the nearest.
HMONITOR MonitorNearest(const ScreenRect& rect);
// Sets the work area of the monitor that holds `area`, and says so.
bool SetWorkArea(const ScreenRect& area);
// Whether the window in front, not this program's, fills `monitor` without
// being maximised: a film, a game or a presentation.
bool FullScreenWindowOn(const ScreenRect& monitor);

}  // namespace corvane::program
