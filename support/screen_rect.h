// Rectangles on the screen in physical pixels, and keeping one on a screen.
// Platform-free.
#pragma once

namespace corvane {

struct ScreenRect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const ScreenRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// `rect` moved the least distance that puts it inside `area`; where it is
// larger, its top left corner stays in the area.
ScreenRect KeptInside(const ScreenRect& rect, const ScreenRect& area);

}  // namespace corvane
