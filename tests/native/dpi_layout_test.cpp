#include <gtest/gtest.h>

#include "support/dpi_scale.h"
#include "ui/go_button_pixels.h"

namespace corvane {
namespace {

TEST(ScaleForDpi, KeepsTheDesignAt96AndRoundsElsewhere) {
  struct Case {
    int length, dpi, expected;
  } cases[] = {
      {22, 96, 22}, {22, 120, 28}, {22, 144, 33}, {22, 192, 44}, {22, 288, 66},
      {1, 144, 2},  {-1, 144, -2}, {0, 192, 0},   {22, 0, 22},   {66, 72, 50},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleForDpi(c.length, c.dpi), c.expected) << c.length << " at " << c.dpi;
}

bool IsGreen(GoButtonPixel p) { return p.red == 34 && p.green == 139 && p.blue == 34; }
bool IsWhite(GoButtonPixel p) { return p.red == 255 && p.green == 255 && p.blue == 255; }

TEST(GoButtonImage, DrawnAnewAtTwiceTheSizeWithSmoothEdges) {
  const int size = 2 * kGoButtonDesignSize;
  EXPECT_EQ(GoButtonImagePixel(0, 0, size, false).coverage, 0);   // margin
  EXPECT_EQ(GoButtonImagePixel(4, 4, size, false).coverage, 0);   // cut corner
  EXPECT_TRUE(IsGreen(GoButtonImagePixel(20, 8, size, false)));   // square
  EXPECT_TRUE(IsWhite(GoButtonImagePixel(16, 21, size, false)));  // shaft
  EXPECT_TRUE(IsWhite(GoButtonImagePixel(31, 21, size, false)));  // head
  EXPECT_EQ(GoButtonImagePixel(20, 8, size, true).green, 196);    // active
  int partial = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      GoButtonPixel p = GoButtonImagePixel(x, y, size, false);
      if (p.coverage > 0 && p.coverage < 255) ++partial;
      // The picture is symmetric about the arrow's axis.
      GoButtonPixel mirrored = GoButtonImagePixel(x, size - 1 - y, size, false);
      EXPECT_EQ(p.coverage, mirrored.coverage) << x << "," << y;
    }
  EXPECT_GT(partial, 8);  // rounded corners are smoothed, not stepped
}

TEST(GoButtonImage, OverMarginBlendsIntoTheGrey) {
  GoButtonPixel half = {34, 139, 34, 128};
  GoButtonPixel over = OverMargin(half);
  EXPECT_EQ(over.coverage, 255);
  EXPECT_EQ(over.green, (139 * 128 + 192 * 127 + 127) / 255);
  EXPECT_EQ(OverMargin({192, 192, 192, 0}).red, 192);
}

}  // namespace
}  // namespace corvane
