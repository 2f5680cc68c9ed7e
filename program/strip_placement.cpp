#include "program/strip_placement.h"

#include <algorithm>
#include <iterator>

namespace corvane::program {
namespace {

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
  if (reported && !Overlap(report.rect, workArea)) return report.edge;
  TaskbarEdge given = EdgeWorkAreaGivesUp(monitor, workArea);
  if (given != TaskbarEdge::None) return given;
  return reported ? report.edge : TaskbarEdge::None;
}

ScreenRect DockedPlace(TaskbarEdge edge, const ScreenRect& workArea, int width, int height) {
  int left = edge == TaskbarEdge::Left ? workArea.left : workArea.right - width;
  int top = edge == TaskbarEdge::Top ? workArea.top : workArea.bottom - height;
  return KeptInside({left, top, left + width, top + height}, workArea);
}

}  // namespace corvane::program
