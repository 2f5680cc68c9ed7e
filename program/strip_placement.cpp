#include "program/strip_placement.h"

#include <algorithm>
#include <iterator>

#include "support/dpi_scale.h"

namespace corvane::program {
namespace {

// The strip at 96 DPI.
constexpr int kStripWidth = 300;
constexpr int kStripHeight = 30;

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool IsEmpty(const ScreenRect& rect) { return rect.Width() <= 0 || rect.Height() <= 0; }

// The side on which the monitor gives up the most to the work area.
TaskbarEdge EdgeWorkAreaGivesUp(const ScreenRect& monitor, const ScreenRect& workArea) {
  struct Gap {
    int size;
    TaskbarEdge edge;
  };
  const Gap gaps[] = {{monitor.bottom - workArea.bottom, TaskbarEdge::Bottom},
                      {workArea.top - monitor.top, TaskbarEdge::Top},
                      {workArea.left - monitor.left, TaskbarEdge::Left},
                      {monitor.right - workArea.right, TaskbarEdge::Right}};
  const Gap* widest = std::max_element(std::begin(gaps), std::end(gaps),
                                       [](const Gap& a, const Gap& b) { return a.size < b.size; });
  return widest->size > 0 ? widest->edge : TaskbarEdge::None;
}

}  // namespace

TaskbarEdge FindTaskbarEdge(const TaskbarReport& report, const ScreenRect& monitor,
                            const ScreenRect& workArea) {
  bool reported = report.answered && report.edge != TaskbarEdge::None && !IsEmpty(report.rect);
  if (reported && Overlap(report.rect, monitor) && !Overlap(report.rect, workArea))
    return report.edge;
  TaskbarEdge given = EdgeWorkAreaGivesUp(monitor, workArea);
  if (given != TaskbarEdge::None) return given;
  return reported ? report.edge : TaskbarEdge::None;
}

ScreenRect DockedPlace(TaskbarEdge edge, const ScreenRect& workArea, int width, int height) {
  int left = edge == TaskbarEdge::Left ? workArea.left : workArea.right - width;
  int top = edge == TaskbarEdge::Top ? workArea.top : workArea.bottom - height;
  return KeptInside({left, top, left + width, top + height}, workArea);
}

StripSize StripSizeAt(int dpi, int bandMinimumHeight) {
  return {ScaleForDpi(kStripWidth, dpi),
          std::max(ScaleForDpi(kStripHeight, dpi), bandMinimumHeight)};
}

ScreenRect AwayFromHiddenTaskbar(const ScreenRect& area, TaskbarEdge edge, int sliver) {
  ScreenRect away = area;
  switch (edge) {
    case TaskbarEdge::Left:
      away.left += sliver;
      break;
    case TaskbarEdge::Top:
      away.top += sliver;
      break;
    case TaskbarEdge::Right:
      away.right -= sliver;
      break;
    case TaskbarEdge::Bottom:
      away.bottom -= sliver;
      break;
    case TaskbarEdge::None:
      break;
  }
  return away;
}

ScreenRect RowAlongEdge(TaskbarEdge edge, const ScreenRect& area, int thickness) {
  ScreenRect row = area;
  switch (edge) {
    case TaskbarEdge::Left:
      row.right = area.left + thickness;
      break;
    case TaskbarEdge::Top:
      row.bottom = area.top + thickness;
      break;
    case TaskbarEdge::Right:
      row.left = area.right - thickness;
      break;
    case TaskbarEdge::Bottom:
    case TaskbarEdge::None:
      row.top = area.bottom - thickness;
      break;
  }
  return row;
}

ScreenRect WorkAreaWithoutRow(const ScreenRect& workArea, TaskbarEdge edge, const ScreenRect& row) {
  ScreenRect rest = workArea;
  switch (edge) {
    case TaskbarEdge::Left:
      rest.left = std::max(rest.left, row.right);
      break;
    case TaskbarEdge::Top:
      rest.top = std::max(rest.top, row.bottom);
      break;
    case TaskbarEdge::Right:
      rest.right = std::min(rest.right, row.left);
      break;
    case TaskbarEdge::Bottom:
    case TaskbarEdge::None:
      rest.bottom = std::min(rest.bottom, row.top);
      break;
  }
  return rest;
}

ScreenRect WorkAreaWithRow(const ScreenRect& workArea, TaskbarEdge edge, const ScreenRect& row) {
  ScreenRect whole = workArea;
  switch (edge) {
    case TaskbarEdge::Left:
      if (whole.left == row.right) whole.left = row.left;
      break;
    case TaskbarEdge::Top:
      if (whole.top == row.bottom) whole.top = row.top;
      break;
    case TaskbarEdge::Right:
      if (whole.right == row.left) whole.right = row.right;
      break;
    case TaskbarEdge::Bottom:
    case TaskbarEdge::None:
      if (whole.bottom == row.top) whole.bottom = row.bottom;
      break;
  }
  return whole;
}

bool CoversMonitor(const ScreenRect& window, const ScreenRect& monitor) {
  return !IsEmpty(monitor) && window.left <= monitor.left && window.top <= monitor.top &&
         window.right >= monitor.right && window.bottom >= monitor.bottom;
}

}  // namespace corvane::program
