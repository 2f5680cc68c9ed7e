// The band object as the shell sees it: identity, counts, the setting, and
// the shell interfaces' answers.
#include <gtest/gtest.h>

#include "res/product.h"
#include "support/band_class.h"
#include "tests/support/win/band_test_support.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"

namespace corvane::test {
namespace {

DWORD StoredSetting() {
  DWORD value = 99, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, RRF_RT_REG_DWORD, nullptr,
                   &value, &size) != ERROR_SUCCESS)
    return 99;
  return value;
}

void StoreSetting(DWORD value) {
  SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, REG_DWORD, &value,
                   sizeof value);
}

// Whether the Go-button item of a fresh context menu carries the check mark.
bool GoButtonChecked(IDeskBand* band) {
  IContextMenu* menu = Query<IContextMenu>(band, IID_IContextMenu);
  HMENU popup = CreatePopupMenu();
  menu->QueryContextMenu(popup, 0, 100, 200, 0);
  bool checked = (GetMenuState(popup, 100, MF_BYCOMMAND) & MF_CHECKED) != 0;
  DestroyMenu(popup);
  menu->Release();
  return checked;
}

TEST(BandIdentity, OneIdentityThroughEveryTable) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  IDeskBand* band = CreateBand();
  ASSERT_NE(band, nullptr);
  const IID* iids[] = {&IID_IUnknown,     &IID_IOleWindow,      &IID_IDeskBand,
                       &IID_IInputObject, &IID_IObjectWithSite, &IID_IDockingWindow,
                       &IID_IPersist,     &IID_IPersistStream,  &IID_IContextMenu,
                       &IID_IDeskBand2};
  // Which of the five tables each identifier yields.
  const int table[] = {0, 0, 0, 1, 2, 0, 3, 3, 4, 0};
  constexpr int kIids = 10;
  void* expected[5] = {};
  for (int i = 0; i < kIids; ++i) {
    void* pointer = nullptr;
    ASSERT_EQ(band->QueryInterface(*iids[i], &pointer), S_OK);
    if (expected[table[i]] == nullptr) expected[table[i]] = pointer;
    EXPECT_EQ(pointer, expected[table[i]]) << i;
    static_cast<IUnknown*>(pointer)->Release();
  }
  EXPECT_EQ(expected[0], static_cast<void*>(band));
  for (void* through : expected) {
    auto* via = static_cast<IUnknown*>(through);
    for (int i = 0; i < kIids; ++i) {
      void* pointer = nullptr;
      ASSERT_EQ(via->QueryInterface(*iids[i], &pointer), S_OK);
      EXPECT_EQ(pointer, expected[table[i]]);
      static_cast<IUnknown*>(pointer)->Release();
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(via->QueryInterface(IID_IInputObjectSite, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(via->AddRef(), 2u);  // one count for all tables
    EXPECT_EQ(via->Release(), 1u);
  }
  EXPECT_EQ(band->Release(), 0u);
}

TEST(BandLifetime, CountsAndTheSetting) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  IDeskBand* band = CreateBand();
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_TRUE(GoButtonChecked(band));  // nothing stored: shown
  EXPECT_EQ(StoredSetting(), 99u);     // read only
  EXPECT_EQ(band->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  EXPECT_EQ(StoredSetting(), 1u);  // written at destruction, never sited

  StoreSetting(0);
  band = CreateBand();
  EXPECT_FALSE(GoButtonChecked(band));
  band->Release();
  StoreSetting(7);
  band = CreateBand();
  EXPECT_TRUE(GoButtonChecked(band));
  band->Release();
  EXPECT_EQ(StoredSetting(), 1u);
}

TEST_F(SitedBandTest, ToggleReachesTheRegistryOnlyAtDestruction) {
  EXPECT_EQ(Invoke(0), S_OK);
  EXPECT_EQ(StoredSetting(), 99u);
  IPersistStream* persist = Query<IPersistStream>(band, IID_IPersistStream);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  persist->Release();
  band->CloseDW(0);
  SetSite(nullptr);
  EXPECT_EQ(band->Release(), 0u);
  band = nullptr;
  EXPECT_EQ(StoredSetting(), 0u);
}

class NoCallsStream final : public IStream {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** out) override { return Count(out); }
  STDMETHODIMP_(ULONG) AddRef() override { return ++calls, 1; }
  STDMETHODIMP_(ULONG) Release() override { return ++calls, 1; }
  STDMETHODIMP Read(void*, ULONG, ULONG*) override { return Count(); }
  STDMETHODIMP Write(const void*, ULONG, ULONG*) override { return Count(); }
  STDMETHODIMP Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return Count(); }
  STDMETHODIMP SetSize(ULARGE_INTEGER) override { return Count(); }
  STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
    return Count();
  }
  STDMETHODIMP Commit(DWORD) override { return Count(); }
  STDMETHODIMP Revert() override { return Count(); }
  STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return Count(); }
  STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return Count(); }
  STDMETHODIMP Stat(STATSTG*, DWORD) override { return Count(); }
  STDMETHODIMP Clone(IStream**) override { return Count(); }
  int calls = 0;

 private:
  HRESULT Count(void** out = nullptr) {
    if (out != nullptr) *out = nullptr;
    ++calls;
    return E_FAIL;
  }
};

TEST(BandShell, AnswersBeforeAndWithoutASite) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  IDeskBand* band = CreateBand();
  ASSERT_NE(band, nullptr);
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(band->GetWindow(&window), S_OK);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(band->ContextSensitiveHelp(TRUE), E_NOTIMPL);
  EXPECT_EQ(band->ResizeBorderDW(nullptr, nullptr, FALSE), E_NOTIMPL);
  EXPECT_EQ(band->ShowDW(TRUE), S_OK);
  EXPECT_EQ(band->CloseDW(0), S_OK);

  IObjectWithSite* withSite = Query<IObjectWithSite>(band, IID_IObjectWithSite);
  EXPECT_EQ(withSite->SetSite(nullptr), S_OK);
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(withSite->GetSite(IID_IUnknown, &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  withSite->Release();

  IInputObject* input = Query<IInputObject>(band, IID_IInputObject);
  EXPECT_EQ(input->HasFocusIO(), S_FALSE);
  EXPECT_EQ(input->TranslateAcceleratorIO(nullptr), S_FALSE);
  EXPECT_EQ(input->UIActivateIO(FALSE, nullptr), S_OK);
  input->Release();

  IPersistStream* persist = Query<IPersistStream>(band, IID_IPersistStream);
  NoCallsStream stream;
  EXPECT_EQ(persist->Load(&stream), S_OK);
  EXPECT_EQ(persist->Save(&stream, TRUE), S_OK);
  EXPECT_EQ(stream.calls, 0);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  ULARGE_INTEGER size = {};
  EXPECT_EQ(persist->GetSizeMax(&size), E_NOTIMPL);
  CLSID classId = {};
  EXPECT_EQ(persist->GetClassID(&classId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(classId, CLSID_SearchBand));
  persist->Release();
  EXPECT_EQ(band->Release(), 0u);
}

TEST(BandShell, GetBandInfoFillsOnlyWhatIsAsked) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  IDeskBand* band = CreateBand();
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(band->GetBandInfo(0, 0, nullptr), E_INVALIDARG);

  DESKBANDINFO untouched;
  memset(&untouched, 0x5A, sizeof untouched);
  untouched.dwMask = 0;
  DESKBANDINFO info = untouched;
  EXPECT_EQ(band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info), S_OK);
  EXPECT_EQ(memcmp(&info, &untouched, sizeof info), 0);
  info.dwMask = DBIM_BKCOLOR;
  untouched.dwMask = DBIM_BKCOLOR;
  EXPECT_EQ(band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info), S_OK);
  EXPECT_EQ(memcmp(&info, &untouched, sizeof info), 0);

  const struct {
    DWORD viewMode;
    POINTL minSize;
  } modes[] = {{DBIF_VIEWMODE_NORMAL, {66, 22}},
               {DBIF_VIEWMODE_VERTICAL, {22, 66}},
               {DBIF_VIEWMODE_FLOATING, {200, 400}},
               {DBIF_VIEWMODE_FLOATING | DBIF_VIEWMODE_VERTICAL, {200, 400}}};
  for (const auto& mode : modes) {
    info = untouched;
    info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_TITLE |
                  DBIM_MODEFLAGS | DBIM_BKCOLOR;
    EXPECT_EQ(band->GetBandInfo(7, mode.viewMode, &info), S_OK);
    EXPECT_EQ(info.ptMinSize.x, mode.minSize.x);
    EXPECT_EQ(info.ptMinSize.y, mode.minSize.y);
    EXPECT_EQ(info.ptMaxSize.x, -1);
    EXPECT_EQ(info.ptMaxSize.y, -1);
    EXPECT_EQ(info.ptIntegral.x, 1);
    EXPECT_EQ(info.ptIntegral.y, 1);
    EXPECT_EQ(info.ptActual.x, 100);
    EXPECT_EQ(info.ptActual.y, 100);
    EXPECT_EQ(info.wszTitle[0], 0);
    EXPECT_EQ(info.dwModeFlags, static_cast<DWORD>(DBIMF_VARIABLEHEIGHT));
    EXPECT_EQ(info.crBkgnd, untouched.crBkgnd);
    EXPECT_EQ(info.dwMask, static_cast<DWORD>(0x7F));
  }
  band->Release();
}

struct SiteCase {
  bool oleWindow;
  bool inputObjectSite;
  bool nullWindow;
  HRESULT result;
  bool window;
};

TEST(BandShell, SetSiteFailurePaths) {
  const SiteCase cases[] = {
      {true, true, false, S_OK, true},
      {true, false, false, E_FAIL, true},
      {true, true, true, E_FAIL, false},
      {false, true, false, E_FAIL, false},
  };
  for (const SiteCase& c : cases) {
    ScratchRegistryRoot user(HKEY_CURRENT_USER);
    HWND frame = CreateFrame(300, 30);
    BandSite site(c.nullWindow ? nullptr : frame, c.oleWindow, c.inputObjectSite);
    IDeskBand* band = CreateBand();
    IObjectWithSite* withSite = Query<IObjectWithSite>(band, IID_IObjectWithSite);
    EXPECT_EQ(withSite->SetSite(site.Unknown()), c.result);
    HWND window = nullptr;
    band->GetWindow(&window);
    EXPECT_EQ(window != nullptr, c.window);
    if (window != nullptr) {
      EXPECT_EQ(GetParent(window), frame);
    }
    IInputObjectSite* held = nullptr;
    HRESULT got = withSite->GetSite(IID_IInputObjectSite, reinterpret_cast<void**>(&held));
    EXPECT_EQ(got, c.result == S_OK ? S_OK : E_FAIL);
    EXPECT_EQ(held != nullptr, c.result == S_OK);
    if (held != nullptr) held->Release();
    EXPECT_EQ(band->CloseDW(0), S_OK);
    EXPECT_EQ(band->CloseDW(0), S_OK);  // nothing left to close
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(withSite->SetSite(nullptr), S_OK);
    EXPECT_EQ(site.RefCount(), 1u);  // the band holds nothing of the site
    withSite->Release();
    EXPECT_EQ(band->Release(), 0u);
    DestroyWindow(frame);
  }
}

TEST_F(SitedBandTest, FocusReportsFollowTheBandWindow) {
  IInputObject* input = Query<IInputObject>(band, IID_IInputObject);
  EXPECT_EQ(input->UIActivateIO(FALSE, nullptr), S_OK);
  EXPECT_TRUE(site->Notices().empty());
  ActivateFrame();
  EXPECT_EQ(input->UIActivateIO(TRUE, nullptr), S_OK);
  PumpMessages();
  EXPECT_EQ(GetFocus(), BandWindow());
  EXPECT_EQ(input->HasFocusIO(), S_OK);
  ASSERT_EQ(site->Notices().size(), 1u);
  EXPECT_EQ(site->Notices()[0].object, static_cast<IUnknown*>(band));
  EXPECT_TRUE(site->Notices()[0].focused);

  SetFocus(HintEdit());  // into the box: the band window itself loses it
  PumpMessages();
  EXPECT_EQ(GetFocus(), SearchEdit());
  EXPECT_EQ(input->HasFocusIO(), S_FALSE);
  // Hiding the focused hint box hands the focus back to the band window for
  // a moment; the last word the site has is that the band lost it.
  ASSERT_GE(site->Notices().size(), 2u);
  EXPECT_FALSE(site->Notices().back().focused);
  for (const FocusNotice& notice : site->Notices())
    EXPECT_EQ(notice.object, static_cast<IUnknown*>(band));
  input->Release();
}

}  // namespace
}  // namespace corvane::test
