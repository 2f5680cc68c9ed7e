// Where the program's strip goes: docked at the taskbar's edge beside the
// notification area, at a place the user chose, or in a row of its own
// along the taskbar; always on screen, never over the spot that brings a
// hidden taskbar back. Platform-free: screen rectangles in physical pixels.
#pragma once
#include "support/screen_rect.h"
#include "support/setting_rules.h"

namespace corvane::program {

enum class TaskbarEdge { None, Left, Top, Right, Bottom };

// What the shell says of its taskbar, if it answered.
struct TaskbarReport {
  bool answered;
  TaskbarEdge edge;
  ScreenRect rect;
};

// The taskbar's edge of a monitor. The shell's answer (of the primary
// taskbar) counts when its taskbar lies on this monitor outside the work
// area (a taskbar that is not hiding); else the side the work area gives up
// (another monitor's own taskbar); else the shell's edge, of a hiding
// taskbar or of the primary one for a monitor without a taskbar; else none.
TaskbarEdge FindTaskbarEdge(const TaskbarReport& report, const ScreenRect& monitor,
                            const ScreenRect& workArea);

// The strip of `width` x `height` inside the work area against the
// taskbar, at the end that holds the notification area: bottom right for a
// bottom taskbar and for none, top right for a top one, bottom left or right
// for a vertical one.
ScreenRect DockedPlace(TaskbarEdge edge, const ScreenRect& workArea, int width, int height);

// The strip's size at a monitor's DPI: 300 x 30 at 96, grown with it, and
// never lower than the band needs.
struct StripSize {
  int width;
  int height;
};
StripSize StripSizeAt(int dpi, int bandMinimumHeight);

// A hidden taskbar leaves the work area whole but comes back when the
// pointer touches the last `sliver` pixels of its edge: `area` without them.
ScreenRect AwayFromHiddenTaskbar(const ScreenRect& area, TaskbarEdge edge, int sliver);

// The row the strip asks the shell to keep along the taskbar's edge of the
// monitor (the bottom for none): `thickness` deep from the edge of `area`,
// a row for a horizontal taskbar, a column for a vertical one.
ScreenRect RowAlongEdge(TaskbarEdge edge, const ScreenRect& area, int thickness);

// The work area without the row the strip keeps, for a shell that keeps no
// rows itself.
ScreenRect WorkAreaWithoutRow(const ScreenRect& workArea, TaskbarEdge edge, const ScreenRect& row);

// The work area with that row given back, where the row is what took it.
ScreenRect WorkAreaWithRow(const ScreenRect& workArea, TaskbarEdge edge, const ScreenRect& row);

// Whether a window covers the whole monitor: a film, a game or a
// presentation that the strip steps back for.
bool CoversMonitor(const ScreenRect& window, const ScreenRect& monitor);

}  // namespace corvane::program
