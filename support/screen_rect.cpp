#include "support/screen_rect.h"

#include <algorithm>

namespace corvane {
namespace {

int Clamp(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

ScreenRect KeptInside(const ScreenRect& rect, const ScreenRect& area) {
  int left = Clamp(rect.left, rect.Width(), area.left, area.right);
  int top = Clamp(rect.top, rect.Height(), area.top, area.bottom);
  return {left, top, left + rect.Width(), top + rect.Height()};
}

}  // namespace corvane
