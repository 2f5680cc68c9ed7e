#include "ui/suggestion_placement.h"

namespace corvane {
namespace {

// Twice the centre, so that no half pixel is lost.
int Middle2(int low, int high) { return low + high; }

}  // namespace

ScreenRect PlaceSuggestionList(const ScreenRect& box, const ScreenRect& bar,
                               const ScreenRect& monitor, int width, int height) {
  ScreenRect list = {};
  if (bar.Height() > bar.Width()) {
    bool onLeftHalf = Middle2(bar.left, bar.right) < Middle2(monitor.left, monitor.right);
    list.left = onLeftHalf ? box.right : box.left - width;
    list.top = box.top;
  } else {
    bool onUpperHalf = Middle2(bar.top, bar.bottom) < Middle2(monitor.top, monitor.bottom);
    list.left = box.left;
    list.top = onUpperHalf ? box.bottom : box.top - height;
  }
  list.right = list.left + width;
  list.bottom = list.top + height;
  return KeptInside(list, monitor);
}

}  // namespace corvane
