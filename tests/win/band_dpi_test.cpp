// The band on a screen of another DPI. Run with the prefix's DPI set to the
// value in CORVANE_TEST_DPI (tests/support/win/at_dpi.sh does both).
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/dpi_scale.h"
#include "tests/support/win/band_test_support.h"
#include "tests/support/win/taskbar_mode.h"

namespace corvane::test {
namespace {

int ExpectedDpi() {
  const char* dpi = std::getenv("CORVANE_TEST_DPI");
  return dpi != nullptr ? std::atoi(dpi) : kDefaultDpi;
}

class BandAtDpi : public SitedBandTest {
 protected:
  BandAtDpi() {
    frameWidth = 300;
    frameHeight = S(30);
  }
  static int S(int length) { return ScaleForDpi(length, ExpectedDpi()); }
  // The button's pixel at a point of its 22-unit design.
  COLORREF ButtonPixel(double u, double v) {
    RECT button = ToolRects().at(0);
    int size = button.right - button.left;
    return ShownPixel(BandWindow(), button.left + static_cast<int>(u * size / 22),
                      button.top + static_cast<int>(v * size / 22));
  }
};

TEST_F(BandAtDpi, TheScreenHasTheDpiUnderTest) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
  ReleaseDC(nullptr, screen);
}

TEST_F(BandAtDpi, EveryLengthScales) {
  int top = (S(30) - S(22)) / 2;
  int editRight = S(2) + 300 - S(28);
  EXPECT_EQ(ChildRect(SearchEdit()), (RECT{S(2), top, editRight, top + S(22)}));
  EXPECT_EQ(ChildRect(HintEdit()), (RECT{S(2), top, editRight, top + S(22)}));
  int buttonLeft = 300 - S(28) + S(4);
  std::vector<RECT> tools = ToolRects();
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0], (RECT{buttonLeft, top, buttonLeft + S(22), top + S(22)}));
  RECT box = RegionBox();
  EXPECT_EQ(box.left, S(2));
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.bottom, top + S(22));
  EXPECT_FALSE(RegionContains(editRight, top + S(11)));  // the gap before the button
  EXPECT_TRUE(RegionContains(buttonLeft + S(11), top + S(11)));

  DESKBANDINFO info = {};
  info.dwMask = DBIM_MINSIZE | DBIM_ACTUAL;
  ASSERT_EQ(band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info), S_OK);
  EXPECT_EQ(info.ptMinSize.x, S(66));
  EXPECT_EQ(info.ptMinSize.y, S(22));
  EXPECT_EQ(info.ptActual.x, S(100));
}

TEST_F(BandAtDpi, TheTextFitsTheBox) {
  for (HWND edit : {HintEdit(), SearchEdit()}) {
    HDC dc = GetDC(edit);
    auto font = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    RECT client = {};
    GetClientRect(edit, &client);
    EXPECT_GE(client.bottom - client.top, metrics.tmHeight);
    EXPECT_GE(metrics.tmHeight, S(12));  // nine points at this DPI, not at 96
  }
}

TEST_F(BandAtDpi, TheButtonIsDrawnAtItsSize) {
  EXPECT_EQ(ButtonPixel(3.5, 6.5), RGB(34, 139, 34));
  EXPECT_EQ(ButtonPixel(8, 11), RGB(255, 255, 255));   // the arrow's shaft
  EXPECT_EQ(ButtonPixel(13, 11), RGB(255, 255, 255));  // and its head
  EXPECT_EQ(ButtonPixel(18.5, 15.5), RGB(34, 139, 34));
  RECT button = ToolRects().at(0);
  Mouse(WM_MOUSEMOVE, button.left + S(11), button.top + S(11));
  EXPECT_EQ(ButtonPixel(3.5, 6.5), RGB(76, 196, 80));  // lit while the mouse is over it
}

// How many pixels of the hint's half of the box show `colour`.
int PixelsOfColour(HWND edit, COLORREF colour) {
  RECT client = {};
  GetClientRect(edit, &client);
  ShownPixel(edit, 0, 0);  // drawn anew
  HDC dc = GetDC(edit);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right / 2; ++x) count += GetPixel(dc, x, y) == colour;
  ReleaseDC(edit, dc);
  return count;
}

TEST_F(BandAtDpi, TheBoxTakesTheTaskbarsModeAtOnce) {
  RECT client = {};
  GetClientRect(HintEdit(), &client);
  // Below the text, which at the largest DPIs reaches the right end.
  auto background = [&] { return ShownPixel(HintEdit(), client.right - S(4), client.bottom - 2); };
  const COLORREF lightHint = RGB(102, 102, 102), darkBox = RGB(43, 43, 43),
                 darkHint = RGB(176, 176, 176);
  EXPECT_EQ(background(), GetSysColor(COLOR_WINDOW));
  EXPECT_GT(PixelsOfColour(HintEdit(), lightHint), S(20));
  // The edge's left column, half-way down, as the window shows it.
  auto edge = [&] {
    RedrawWindow(HintEdit(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    HDC dc = GetWindowDC(HintEdit());
    RECT window = {};
    GetWindowRect(HintEdit(), &window);
    COLORREF colour = GetPixel(dc, 0, (window.bottom - window.top) / 2);
    ReleaseDC(HintEdit(), dc);
    return colour;
  };
  const COLORREF darkEdge = RGB(96, 96, 96), lightEdge = edge();
  EXPECT_NE(lightEdge, darkEdge);
  {
    TaskbarMode dark(0);
    EXPECT_EQ(background(), darkBox);
    EXPECT_EQ(edge(), darkEdge);
    EXPECT_GT(PixelsOfColour(HintEdit(), darkHint), S(20));
    EXPECT_EQ(PixelsOfColour(HintEdit(), lightHint), 0);
  }
  EXPECT_EQ(background(), GetSysColor(COLOR_WINDOW));  // light again, no restart
  EXPECT_EQ(edge(), lightEdge);
  TaskbarMode light(1);
  EXPECT_EQ(background(), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace corvane::test
