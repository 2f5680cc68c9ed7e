// Where the program's strip goes: docked at the taskbar's edge beside the
// notification area, or at a place the user chose, always on screen.
// Platform-free: screen rectangles in physical pixels.
#pragma once
#include "support/screen_rect.h"

namespace corvane::program {

enum class TaskbarEdge { None, Left, Top, Right, Bottom };

// What the shell says of its taskbar, if it answered.
struct TaskbarReport {
  bool answered;
  TaskbarEdge edge;
  ScreenRect rect;
};

// The taskbar's edge of the primary monitor. The shell's answer counts when
// its taskbar lies outside the work area (a taskbar that is not hiding);
// else the side the work area gives up; else the shell's edge of a hiding
// taskbar; else none.
TaskbarEdge FindTaskbarEdge(const TaskbarReport& report, const ScreenRect& monitor,
                            const ScreenRect& workArea);

// The strip of `width` x `height` inside the work area against the
// taskbar, at the end that holds the notification area: bottom right for a
// bottom taskbar and for none, top right for a top one, bottom left or right
// for a vertical one.
ScreenRect DockedPlace(TaskbarEdge edge, const ScreenRect& workArea, int width, int height);

}  // namespace corvane::program
