// The screen as the strip sees it: the primary monitor's work area and
// taskbar edge, and the work area of the monitor nearest to a place.
#pragma once
#include <windows.h>

#include "program/strip_placement.h"

namespace corvane::program {

ScreenRect PrimaryWorkArea();
TaskbarEdge PrimaryTaskbarEdge();
// The work area of the monitor that holds most of `rect`, or the nearest.
ScreenRect WorkAreaNearest(const ScreenRect& rect);

}  // namespace corvane::program
