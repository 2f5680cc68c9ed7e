// Where the program's strip goes: docked at the taskbar's edge beside the
// notification area, or at a place the user chose, always on screen.
// Platform-free: screen rectangles in physical pixels.
#pragma once

namespace corvane::program {

struct ScreenRect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const ScreenRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

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

// `rect` moved the least distance that puts it inside `area`; where it is
// larger, its top left corner stays in the area.
ScreenRect KeptInside(const ScreenRect& rect, const ScreenRect& area);

}  // namespace corvane::program
