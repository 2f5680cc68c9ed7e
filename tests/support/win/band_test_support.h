// A sited band in a 300 x 30 frame, and ways to look at what it made.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/win/ui_support.h"
#include "tests/support/win/test_support.h"

namespace corvane::test {

// The tooltip windows of this thread owned by `owner`.
std::vector<HWND> TooltipsOwnedBy(HWND owner);

// What a window shows at a point once it has painted.
COLORREF ShownPixel(HWND window, int x, int y);

class SitedBandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = CreateFrame(frameWidth, frameHeight);
    ASSERT_NE(frame, nullptr);
    ActivateFrame();
    band = CreateBand();
    ASSERT_NE(band, nullptr);
    site = std::make_unique<BandSite>(frame, true, true);
    ASSERT_EQ(SetSite(site->Unknown()), S_OK);
    ASSERT_EQ(band->ShowDW(TRUE), S_OK);
    PumpMessages();
  }
  void TearDown() override {
    if (band != nullptr) {
      band->ShowDW(FALSE);
      band->CloseDW(0);
      SetSite(nullptr);
      band->Release();
    }
    DestroyWindow(frame);
    PumpMessages();
  }

  void ActivateFrame() { Activate(frame); }

  HRESULT SetSite(IUnknown* newSite) { return program::SetBandSite(band, newSite); }
  IContextMenu* Menu() {  // not counted: released at once, the band holds on
    IContextMenu* menu = Query<IContextMenu>(band, IID_IContextMenu);
    menu->Release();
    return menu;
  }
  HRESULT Invoke(UINT offset, HWND owner = nullptr) {
    CMINVOKECOMMANDINFO info = {sizeof info};
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    return Menu()->InvokeCommand(&info);
  }

  HWND BandWindow() {
    HWND window = nullptr;
    band->GetWindow(&window);
    return window;
  }
  HWND SearchEdit() { return GetDlgItem(BandWindow(), 101); }
  HWND HintEdit() { return GetDlgItem(BandWindow(), 102); }
  // A child's rectangle in the band window's client coordinates.
  RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, BandWindow(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  HWND Tooltip();
  std::vector<RECT> ToolRects();
  bool RegionContains(int x, int y);
  RECT RegionBox();
  std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
  }
  void Mouse(UINT message, int x, int y) {
    SendMessageW(BandWindow(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(x, y));
  }

  ScratchRegistryRoot user{HKEY_CURRENT_USER};
  int frameWidth = 300;
  int frameHeight = 30;
  HWND frame = nullptr;
  IDeskBand* band = nullptr;
  std::unique_ptr<BandSite> site;
};

}  // namespace corvane::test

// Rectangles compare and print in the tests' messages.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
