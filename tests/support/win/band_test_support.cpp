#include "tests/support/win/band_test_support.h"

#include <commctrl.h>

namespace corvane::test {
namespace {

BOOL CALLBACK CollectTooltip(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(lParam);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (lstrcmpiW(className, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == found->first)
    found->second.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TooltipsOwnedBy(HWND owner) {
  std::pair<HWND, std::vector<HWND>> found = {owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectTooltip, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

COLORREF ShownPixel(HWND window, int x, int y) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages();
  HDC dc = GetDC(window);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

HWND SitedBandTest::Tooltip() {
  std::vector<HWND> tooltips = TooltipsOwnedBy(frame);
  return tooltips.empty() ? nullptr : tooltips.front();
}

std::vector<RECT> SitedBandTest::ToolRects() {
  std::vector<RECT> rects;
  HWND tooltip = Tooltip();
  if (tooltip == nullptr) return rects;
  LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    if (SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool))) {
      EXPECT_EQ(tool.uId, 103u);
      EXPECT_EQ(tool.hwnd, BandWindow());
      rects.push_back(tool.rect);
    }
  }
  return rects;
}

bool SitedBandTest::RegionContains(int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  bool inside = GetWindowRgn(BandWindow(), region) != ERROR && PtInRegion(region, x, y);
  DeleteObject(region);
  return inside;
}

RECT SitedBandTest::RegionBox() {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  RECT box = {};
  if (GetWindowRgn(BandWindow(), region) != ERROR) GetRgnBox(region, &box);
  DeleteObject(region);
  return box;
}

}  // namespace corvane::test
