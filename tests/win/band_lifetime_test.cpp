// The band's windows, tooltip and F12 hook over many lives, and bands that
// hosts release in unusual orders.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "support/session_bands.h"
#include "tests/support/win/band_test_support.h"
#include "ui/band_window.h"
#include "ui/shared_hook_state.h"

namespace corvane::test {
namespace {

SharedHookBlock* Words() { return SharedWordsOf(CorvaneDll()); }

// The hint boxes of this process that F12 may choose from, as the DLL lists
// them in the session's list (other tests' programs list theirs there too).
std::vector<HWND> ListedHintBoxes() {
  FocusTargetTable* targets = nullptr;
  EXPECT_EQ(SessionFocusTargets(&targets), S_OK);
  std::vector<HWND> boxes;
  for (const FocusTarget& target : targets->targets) {
    HWND box = static_cast<HWND>(LongToHandle(target.box));
    DWORD process = 0;
    if (target.box != 0 && GetWindowThreadProcessId(box, &process) &&
        process == GetCurrentProcessId())
      boxes.push_back(box);
  }
  return boxes;
}

int CountTooltipsOwnedBy(HWND owner) { return static_cast<int>(TooltipsOwnedBy(owner).size()); }

HWND WindowOf(IDeskBand* band) {
  HWND window = nullptr;
  band->GetWindow(&window);
  return window;
}

TEST(BandLifetime, ReleasedWithoutCloseLeavesNoWindowBehind) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  BandSite site(frame, true, true);
  IDeskBand* band = CreateBand();
  ASSERT_EQ(program::SetBandSite(band, site.Unknown()), S_OK);
  band->ShowDW(TRUE);
  HWND window = WindowOf(band);
  program::SetBandSite(band, nullptr);
  EXPECT_EQ(band->Release(), 0u);  // no CloseDW
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CountTooltipsOwnedBy(frame), 0);
  EXPECT_EQ(Words()->hookHandle, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

// A host lets go of a band that has the keyboard focus, still sited and
// never closed. The site hears of focus changes as the shell's does (it
// queries the object it is told about); the band going down must not tell
// it anything, nor be destroyed twice.
class ReleasedWhileFocused : public ::testing::TestWithParam<bool> {};

TEST_P(ReleasedWhileFocused, GoesDownOnceAndTellsTheSiteNothing) {
  bool searchBoxFocused = GetParam();
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  Activate(frame);
  BandSite site(frame, true, true);
  IDeskBand* band = CreateBand();
  ASSERT_EQ(program::SetBandSite(band, site.Unknown()), S_OK);
  band->ShowDW(TRUE);
  HWND window = WindowOf(band);
  IInputObject* input = Query<IInputObject>(band, IID_IInputObject);
  ASSERT_EQ(input->UIActivateIO(TRUE, nullptr), S_OK);
  input->Release();
  if (searchBoxFocused) SetFocus(GetDlgItem(window, kHintEditId));
  PumpMessages();
  ASSERT_EQ(GetFocus(), searchBoxFocused ? GetDlgItem(window, kSearchEditId) : window);
  ASSERT_FALSE(site.Notices().empty());
  size_t noticesBefore = site.Notices().size();

  EXPECT_EQ(band->Release(), 0u);
  PumpMessages();
  EXPECT_EQ(site.Notices().size(), noticesBefore);
  EXPECT_EQ(site.RefCount(), 1u);  // its IInputObjectSite released exactly once
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

INSTANTIATE_TEST_SUITE_P(BandLifetime, ReleasedWhileFocused, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "SearchBox" : "BandWindow"; });

// A site that lets go of the band's last reference while it is told of a
// focus change, and then asks the object it was told about for an interface
// as the shell does.
class ReleasingSite final : public IInputObjectSite {
 public:
  explicit ReleasingSite(BandSite* site) : inner(site) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IInputObjectSite) || IsEqualIID(iid, IID_IUnknown)) {
      *out = static_cast<IInputObjectSite*>(this);
      ++refCount;
      return S_OK;
    }
    return inner->QueryInterface(iid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refCount; }
  STDMETHODIMP_(ULONG) Release() override { return --refCount; }
  STDMETHODIMP OnFocusChangeIS(IUnknown* object, BOOL focused) override {
    if (focused && lastReference != nullptr)
      released = std::exchange(lastReference, nullptr)->Release();
    return inner->OnFocusChangeIS(object, focused);
  }
  IInputObject* lastReference = nullptr;
  ULONG released = 1;
  ULONG refCount = 1;

 private:
  BandSite* inner;
};

TEST(BandLifetime, ReleasedByTheSiteWhileTellingItOfTheFocus) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  BandSite windowSite(frame, true, false);
  ReleasingSite site(&windowSite);
  Activate(frame);
  IDeskBand* band = CreateBand();
  ASSERT_EQ(program::SetBandSite(band, &site), S_OK);
  HWND window = WindowOf(band);
  site.lastReference = Query<IInputObject>(band, IID_IInputObject);
  band->Release();
  // Called through the one reference left, which the site drops.
  EXPECT_EQ(site.lastReference->UIActivateIO(TRUE, nullptr), S_OK);
  EXPECT_EQ(site.lastReference, nullptr);
  EXPECT_EQ(site.released, 1u);  // the band held itself while telling the site
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(site.refCount, 1u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

TEST(BandLifetime, TwoBandsTheLaterReleasedFirst) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  // Two sites in one frame: two top-level windows of one process fight over
  // the activation under Xvfb without a window manager.
  HWND frame = CreateFrame(300, 30);
  BandSite first(frame, true, true), second(frame, true, true);
  IDeskBand* earlier = CreateBand();
  IDeskBand* later = CreateBand();
  ASSERT_EQ(program::SetBandSite(earlier, first.Unknown()), S_OK);
  earlier->ShowDW(TRUE);
  HHOOK earlierHook = Words()->hookHandle;
  ASSERT_EQ(program::SetBandSite(later, second.Unknown()), S_OK);
  EXPECT_EQ(Words()->hookHintEdit, GetDlgItem(WindowOf(later), kHintEditId));
  EXPECT_NE(Words()->hookHandle, earlierHook);

  later->CloseDW(0);
  program::SetBandSite(later, nullptr);
  EXPECT_EQ(later->Release(), 0u);
  EXPECT_EQ(Words()->hookHandle, nullptr);
  // The earlier band still lays out, opens its box, and is F12's target
  // again (F12 itself: the end-to-end test of two hosts).
  HWND window = WindowOf(earlier);
  HWND search = GetDlgItem(window, kSearchEditId);
  SendMessageW(window, WM_SIZE, 0, MAKELPARAM(200, 30));
  RECT edit;
  GetWindowRect(search, &edit);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&edit), 2);
  EXPECT_EQ(edit.right, 200 - 26);
  Activate(frame);
  SetFocus(GetDlgItem(window, kHintEditId));
  PumpMessages();
  EXPECT_EQ(GetFocus(), search);
  EXPECT_TRUE(IsWindowVisible(search));
  EXPECT_EQ(ListedHintBoxes(), std::vector<HWND>{GetDlgItem(window, kHintEditId)});
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  earlier->CloseDW(0);
  EXPECT_FALSE(UnhookWindowsHookEx(earlierHook));  // went with its window
  program::SetBandSite(earlier, nullptr);
  EXPECT_EQ(earlier->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

// A band whose box cannot be listed (the session's list is full) is made
// without controls, as when its hook cannot be installed, rather than as a
// box that F12 silently never reaches; once a band goes, its entry serves the
// next one.
TEST(BandLifetime, ABandThatCannotBeListedHasNoControls) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  std::deque<BandSite> sites;
  std::vector<IDeskBand*> bands;
  auto addBand = [&] {
    sites.emplace_back(frame, true, true);
    bands.push_back(CreateBand());
    EXPECT_EQ(program::SetBandSite(bands.back(), sites.back().Unknown()), S_OK);
    return WindowOf(bands.back());
  };
  // Other programs of the session may list boxes too: bands are added until
  // one is refused.
  HWND unlisted = nullptr;
  HHOOK lastHook = nullptr;
  for (int i = 0; i <= kFocusTargetCount && unlisted == nullptr; ++i) {
    HWND window = addBand();
    if (GetDlgItem(window, kHintEditId) == nullptr)
      unlisted = window;
    else
      lastHook = Words()->hookHandle;
  }
  ASSERT_NE(unlisted, nullptr) << "more than " << kFocusTargetCount << " boxes were listed";
  EXPECT_EQ(GetDlgItem(unlisted, kSearchEditId), nullptr);
  EXPECT_EQ(Words()->hookHandle, lastHook) << "a hook was installed for the unlisted band";

  bands.front()->CloseDW(0);
  HWND next = addBand();
  EXPECT_NE(GetDlgItem(next, kHintEditId), nullptr);
  std::vector<HWND> listed = ListedHintBoxes();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), GetDlgItem(next, kHintEditId)), 1);
  for (size_t i = 0; i < bands.size(); ++i) {
    bands[i]->CloseDW(0);
    program::SetBandSite(bands[i], nullptr);
    EXPECT_EQ(bands[i]->Release(), 0u);
  }
  EXPECT_TRUE(ListedHintBoxes().empty());
  EXPECT_EQ(CanUnloadNow(), S_OK);
  DestroyWindow(frame);
}

}  // namespace
}  // namespace corvane::test
