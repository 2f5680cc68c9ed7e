// The band's windows, tooltip and F12 hook over many lives, and bands that
// hosts release in unusual orders.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/win/band_test_support.h"
#include "ui/shared_hook_state.h"

namespace corvane::testing {
namespace {

SharedHookState* Words() { return SharedWordsOf(CorvaneDll()); }

int CountTooltipsOwnedBy(HWND owner) {
  return static_cast<int>(TooltipsOwnedBy(owner).size());
}

HRESULT SiteBand(IDeskBand* band, IUnknown* site) {
  IObjectWithSite* withSite = Query<IObjectWithSite>(band, IID_IObjectWithSite);
  HRESULT result = withSite->SetSite(site);
  withSite->Release();
  return result;
}

HWND WindowOf(IDeskBand* band) {
  HWND window = nullptr;
  band->GetWindow(&window);
  return window;
}

TEST(BandLifetime, ReleasedWithoutCloseLeavesNoWindowBehind) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  TestSite site(frame, true, true);
  IDeskBand* band = CreateBand();
  ASSERT_EQ(SiteBand(band, site.Unknown()), S_OK);
  band->ShowDW(TRUE);
  HWND window = WindowOf(band);
  HWND hint = GetDlgItem(window, 102);
  SiteBand(band, nullptr);
  EXPECT_EQ(band->Release(), 0u);  // no CloseDW
  // Whatever still reaches the old handles must not touch the dead band.
  for (UINT message : {WM_SIZE, WM_PAINT, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                       WM_MOUSELEAVE, WM_SETFOCUS, WM_KILLFOCUS})
    SendMessageW(window, message, 0, MAKELPARAM(287, 15));
  SendMessageW(hint, WM_SETFOCUS, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CountTooltipsOwnedBy(frame), 0);
  EXPECT_EQ(Words()->hookHandle, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

TEST(BandLifetime, ManyLivesLeaveNothingBehind) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  TestSite site(frame, true, true);
  for (int life = 0; life < 200; ++life) {
    IDeskBand* band = CreateBand();
    ASSERT_NE(band, nullptr);
    ASSERT_EQ(SiteBand(band, site.Unknown()), S_OK);
    band->ShowDW(TRUE);
    ASSERT_EQ(CountTooltipsOwnedBy(frame), 1);
    ASSERT_NE(Words()->hookHandle, nullptr);
    // Sited again after a close: a new window, still one tooltip, one hook.
    band->CloseDW(0);
    EXPECT_EQ(Words()->hookHandle, nullptr);
    ASSERT_EQ(SiteBand(band, site.Unknown()), S_OK);
    EXPECT_EQ(CountTooltipsOwnedBy(frame), 1);
    HHOOK hook = Words()->hookHandle;
    ASSERT_NE(hook, nullptr);
    band->ShowDW(FALSE);
    band->CloseDW(0);
    EXPECT_FALSE(UnhookWindowsHookEx(hook));  // already removed
    SiteBand(band, nullptr);
    ASSERT_EQ(band->Release(), 0u);
    PumpMessages();
  }
  EXPECT_EQ(CountTooltipsOwnedBy(frame), 0);
  EXPECT_EQ(site.refCount(), 1u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

TEST(BandLifetime, TwoBandsTheLaterReleasedFirst) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  // Two sites in one frame: two top-level windows of one process fight over
  // the activation under Xvfb without a window manager.
  HWND frame = CreateFrame(300, 30);
  TestSite first(frame, true, true), second(frame, true, true);
  IDeskBand* earlier = CreateBand();
  IDeskBand* later = CreateBand();
  ASSERT_EQ(SiteBand(earlier, first.Unknown()), S_OK);
  HHOOK earlierHook = Words()->hookHandle;
  ASSERT_EQ(SiteBand(later, second.Unknown()), S_OK);
  EXPECT_EQ(Words()->hookHintEdit, GetDlgItem(WindowOf(later), 102));
  EXPECT_NE(Words()->hookHandle, earlierHook);

  later->CloseDW(0);
  SiteBand(later, nullptr);
  EXPECT_EQ(later->Release(), 0u);
  EXPECT_EQ(Words()->hookHandle, nullptr);
  // The earlier band still works: laid out, typed into, and still hooked.
  HWND window = WindowOf(earlier);
  SendMessageW(window, WM_SIZE, 0, MAKELPARAM(300, 30));
  SetWindowTextW(GetDlgItem(window, 101), L"still here");
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  earlier->CloseDW(0);
  EXPECT_FALSE(UnhookWindowsHookEx(earlierHook));  // went with its window
  SiteBand(earlier, nullptr);
  EXPECT_EQ(earlier->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

}  // namespace
}  // namespace corvane::testing
