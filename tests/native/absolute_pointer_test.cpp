// Normalised pointer coordinates land back on the very pixel they came from,
// on primary screens of any size and on virtual desktops that begin left of
// or above the primary screen.
#include "ui/absolute_pointer.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// How the system maps normalised input back to pixels (measured under Wine,
// as documented for Windows: the fraction is truncated).
int PixelOf(long normalised, DesktopAxis axis) {
  return axis.origin + static_cast<int>(static_cast<long long>(normalised) * axis.extent / 65536);
}

TEST(AbsolutePointer, EveryPixelMapsBackToItself) {
  const DesktopAxis axes[] = {
      {0, 1024},     {0, 768},  {0, 1366},       {0, 1080}, {-1280, 3200},
      {-2160, 5000}, {0, 7680}, {-32000, 64000}, {0, 1},    {0, 3},
  };
  for (DesktopAxis axis : axes) {
    for (int pixel = axis.origin; pixel < axis.origin + axis.extent; ++pixel) {
      long normalised = NormalisedCoordinate(pixel, axis);
      ASSERT_GE(normalised, 0);
      ASSERT_LE(normalised, 65535);
      ASSERT_EQ(PixelOf(normalised, axis), pixel) << axis.origin << "+" << axis.extent;
    }
  }
}

TEST(AbsolutePointer, PointsOffTheDesktopGoToItsEdgeAndEmptyAxesToZero) {
  DesktopAxis axis = {-1280, 3200};
  EXPECT_EQ(PixelOf(NormalisedCoordinate(-5000, axis), axis), -1280);
  EXPECT_EQ(PixelOf(NormalisedCoordinate(1920, axis), axis), 1919);
  EXPECT_EQ(NormalisedCoordinate(10, {0, 0}), 0);
  EXPECT_EQ(NormalisedCoordinate(10, {0, -4}), 0);
}

}  // namespace
}  // namespace corvane
