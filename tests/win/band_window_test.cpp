// The band's window sited in a 300 x 30 frame: layout, region, tooltip, the
// Go button's states, the search box, submission and the context menu.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/product.h"
#include "tests/support/win/accessible_reader.h"
#include "tests/support/win/band_test_support.h"

namespace corvane::test {
namespace {

using BandLayout = SitedBandTest;

TEST_F(BandLayout, LayoutWithTheGoButton) {
  EXPECT_EQ(ChildRect(SearchEdit()), (RECT{2, 4, 274, 26}));
  EXPECT_EQ(ChildRect(HintEdit()), (RECT{2, 4, 274, 26}));
  // The row, and the button's rounded square from (278, 6) to (297, 25).
  RECT box = RegionBox();
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 4);
  EXPECT_EQ(box.bottom, 26);
  EXPECT_GE(box.right, 295);
  EXPECT_LE(box.right, 297);
  EXPECT_TRUE(RegionContains(2, 4));
  EXPECT_TRUE(RegionContains(273, 25));
  EXPECT_FALSE(RegionContains(274, 15));  // gap between box and button
  EXPECT_FALSE(RegionContains(277, 15));
  EXPECT_TRUE(RegionContains(278, 15));
  EXPECT_TRUE(RegionContains(294, 15));
  EXPECT_FALSE(RegionContains(297, 15));
  EXPECT_FALSE(RegionContains(287, 5));
  EXPECT_TRUE(RegionContains(287, 6));
  EXPECT_FALSE(RegionContains(1, 15));
  std::vector<RECT> tools = ToolRects();
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0], (RECT{276, 4, 298, 26}));

  // Laid out again and again: still exactly one tool.
  for (int i = 0; i < 3; ++i) SendMessageW(BandWindow(), WM_SIZE, 0, MAKELPARAM(300, 30));
  EXPECT_EQ(ToolRects().size(), 1u);
}

TEST_F(BandLayout, LayoutWithoutTheGoButton) {
  ASSERT_EQ(Invoke(0), S_OK);
  EXPECT_EQ(ChildRect(SearchEdit()), (RECT{2, 4, 296, 26}));
  EXPECT_EQ(ChildRect(HintEdit()), (RECT{2, 4, 296, 26}));
  EXPECT_EQ(RegionBox(), (RECT{2, 4, 296, 26}));
  EXPECT_TRUE(ToolRects().empty());
  // Mouse input over its former place does nothing.
  SetWindowTextW(SearchEdit(), L"query");
  Mouse(WM_LBUTTONDOWN, 287, 15);
  Mouse(WM_LBUTTONUP, 287, 15);
  EXPECT_EQ(Text(SearchEdit()), L"query");
  ASSERT_EQ(Invoke(0), S_OK);
  EXPECT_EQ(ToolRects().size(), 1u);
}

TEST_F(BandLayout, SmallSizesStayInsideTheBand) {
  for (auto [width, height] : {std::pair{20, 30}, {27, 10}, {5, 5}, {0, 0}, {300, 21}}) {
    SendMessageW(BandWindow(), WM_SIZE, 0, MAKELPARAM(width, height));
    // The edit never reaches past the band: where there is no room for it,
    // it has none of its own.
    RECT edit = ChildRect(SearchEdit());
    EXPECT_LE(edit.right, std::max<LONG>(width, edit.left)) << width << "x" << height;
    EXPECT_GE(edit.top, 0);
    // Always a region of its own, never reaching beyond the band; none at all
    // for a band without an area.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int kind = GetWindowRgn(BandWindow(), region);
    RECT box = {};
    GetRgnBox(region, &box);
    DeleteObject(region);
    ASSERT_NE(kind, ERROR) << width << "x" << height;
    RECT band = {0, 0, width, height};
    RECT inside;
    IntersectRect(&inside, &box, &band);
    EXPECT_EQ(inside, box) << width << "x" << height << " region " << box;
    if (width == 0 || height == 0) {
      EXPECT_EQ(kind, NULLREGION);
    }
  }
}

TEST_F(BandLayout, PressMovesTheButtonByOnePixel) {
  Mouse(WM_LBUTTONDOWN, 287, 15);
  EXPECT_EQ(GetCapture(), BandWindow());
  std::vector<RECT> tools = ToolRects();
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0], (RECT{277, 5, 299, 27}));
  EXPECT_TRUE(RegionContains(279, 16));
  EXPECT_FALSE(RegionContains(278, 16));
  EXPECT_TRUE(RegionContains(295, 23));
  EXPECT_FALSE(RegionContains(287, 6));
  EXPECT_TRUE(RegionContains(287, 7));
  // Leaving the window gives the press up.
  SendMessageW(BandWindow(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(ToolRects()[0], (RECT{276, 4, 298, 26}));
}

TEST_F(BandLayout, GoButtonSubmitsOnlyAReleaseOverItselfAfterAPress) {
  MessageBoxCatcher boxes;
  // Press, leave, come back, release: nothing.
  Mouse(WM_LBUTTONDOWN, 287, 15);
  Mouse(WM_MOUSEMOVE, 100, 15);
  EXPECT_EQ(GetCapture(), nullptr);
  Mouse(WM_MOUSEMOVE, 287, 15);
  EXPECT_EQ(ToolRects()[0], (RECT{276, 4, 298, 26}));  // hot, not pressed
  Mouse(WM_LBUTTONUP, 287, 15);
  // A release without a press before it: nothing.
  Mouse(WM_LBUTTONUP, 287, 15);
  EXPECT_TRUE(boxes.boxes.empty());
  // Press and release over the button with the box empty: one warning.
  Mouse(WM_LBUTTONDOWN, 287, 15);
  Mouse(WM_LBUTTONUP, 287, 15);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, L"Corvane");
  EXPECT_EQ(boxes.boxes[0].text,
            L"Can't search for empty query.\nPlease input what to search for.");
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(BandLayout, HintAndSearchBoxSwapWithTheFocus) {
  EXPECT_TRUE(IsWindowVisible(HintEdit()));
  EXPECT_FALSE(IsWindowVisible(SearchEdit()));
  EXPECT_EQ(Text(HintEdit()), L"Google search");
  ActivateFrame();
  SetFocus(HintEdit());
  PumpMessages();
  EXPECT_EQ(GetFocus(), SearchEdit());
  EXPECT_TRUE(IsWindowVisible(SearchEdit()));
  EXPECT_FALSE(IsWindowVisible(HintEdit()));
  SetWindowTextW(SearchEdit(), L"typed");
  SetFocus(frame);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(HintEdit()));
  EXPECT_FALSE(IsWindowVisible(SearchEdit()));
  EXPECT_EQ(Text(HintEdit()), L"Google search");
  SetFocus(HintEdit());
  PumpMessages();
  EXPECT_EQ(Text(SearchEdit()), L"typed");
}

// In the light taskbar the box keeps the system's colours; only the hint
// has its own grey.
TEST_F(BandLayout, HintColoursOnlyForTheHint) {
  HDC dc = GetDC(BandWindow());
  SendMessageW(BandWindow(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(HintEdit()));
  EXPECT_EQ(GetTextColor(dc), RGB(102, 102, 102));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
  SendMessageW(BandWindow(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(SearchEdit()));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
  ReleaseDC(BandWindow(), dc);
}

// Submissions go to the URL recorder registered as the https handler.
class BandSubmission : public SitedBandTest {
 protected:
  void SetUp() override {
    SitedBandTest::SetUp();
    RegisterRecorder(urlLog);
  }
  void TearDown() override {
    SitedBandTest::TearDown();
    SetEnvironmentVariableW(L"CORVANE_URL_LOG", nullptr);
  }

  ScratchRegistryRoot classes{HKEY_CLASSES_ROOT};
  ScratchFolder folder;
  std::wstring urlLog = folder.Child(L"urls.log");
};

const std::string kAddress = "https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=";

TEST_F(BandSubmission, EnterSearchesAndLeavesNoLineBreak) {
  ActivateFrame();
  SetFocus(HintEdit());
  PumpMessages();
  SetWindowTextW(SearchEdit(), L"Gr\u00FC\u00DFe C++");
  // A sent key-down alone.
  SendMessageW(SearchEdit(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(WaitForLine(urlLog), kAddress + "Gr%C3%BC%C3%9Fe+C%2B%2B\n");
  EXPECT_EQ(Text(SearchEdit()), L"");
  EXPECT_EQ(GetFocus(), SearchEdit());  // the box stays open
  // The character message a real Enter brings adds nothing either.
  SendMessageW(SearchEdit(), WM_CHAR, L'\r', 0);
  EXPECT_EQ(Text(SearchEdit()), L"");
}

// A browser that takes seconds to start, which the shell waits for: the
// band hands the search over and answers at once, and the search goes out.
TEST_F(BandSubmission, ASlowBrowserHoldsNothing) {
  RegisterSlowRecorder(urlLog, 3000);
  SetWindowTextW(SearchEdit(), L"patience");
  const ULONGLONG pressed = GetTickCount64();
  SendMessageW(SearchEdit(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_LT(GetTickCount64() - pressed, 100u);
  EXPECT_EQ(Text(SearchEdit()), L"");
  EXPECT_EQ(ReadBytes(urlLog), "");  // the browser is still starting
  // The shell speaks DDE to every window, the band's too, which answers.
  for (int waited = 0; waited < 15000 && ReadBytes(urlLog).empty(); waited += 50) PumpMessages(50);
  EXPECT_EQ(ReadBytes(urlLog), kAddress + "patience\n");
  SetEnvironmentVariableW(L"CORVANE_RECORDER_START_MS", nullptr);
}

// Firefox as the default browser, its profile on a server that cannot be
// reached: Enter is answered at once, and the search goes out with the
// locale's country once the home page is given up. Run only inside
// tests/support/win/with_unreachable_profile.sh, which mounts the profile.
class UnreachableProfile : public BandSubmission {
 protected:
  void SetUp() override {
    BandSubmission::SetUp();
    const wchar_t* profile = _wgetenv(L"CORVANE_UNREACHABLE_APPDATA");
    ASSERT_NE(profile, nullptr) << "run by with_unreachable_profile.sh";
    SetEnvironmentVariableW(L"APPDATA", profile);
    SetRegistryText(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr,
                    L"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -url \"%1\"");
  }
  void TearDown() override {
    // The waiting read ends, and with it its thread.
    if (const wchar_t* release = _wgetenv(L"CORVANE_UNREACHABLE_RELEASE")) WriteBytes(release, "");
    BandSubmission::TearDown();
  }
};

TEST_F(UnreachableProfile, DISABLED_EnterIsAnsweredAndTheSearchGoesOut) {
  SetWindowTextW(SearchEdit(), L"far away");
  const ULONGLONG pressed = GetTickCount64();
  SendMessageW(SearchEdit(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_LT(GetTickCount64() - pressed, 100u);
  EXPECT_EQ(WaitForLine(urlLog), kAddress + "far+away\n");
}

TEST_F(BandSubmission, GoButtonSearches) {
  SetWindowTextW(SearchEdit(), L"\u20AC rate");
  Mouse(WM_MOUSEMOVE, 287, 15);
  Mouse(WM_LBUTTONDOWN, 287, 15);
  Mouse(WM_LBUTTONUP, 287, 15);
  EXPECT_EQ(WaitForLine(urlLog), kAddress + "%E2%82%AC+rate\n");
  EXPECT_EQ(Text(SearchEdit()), L"");
}

// What a screen reader reads of the band, through the objects its windows
// give out; the Go button's default action is its click's.
TEST_F(BandSubmission, ScreenReadersReadTheBoxAndTheGoButton) {
  Accessible band(BandWindow());
  ASSERT_TRUE(band);
  EXPECT_EQ(band.Name(CHILDID_SELF), L"Corvane");
  EXPECT_EQ(band.Role(CHILDID_SELF), ROLE_SYSTEM_TOOLBAR);
  EXPECT_EQ(band.ChildCount(), 2);
  EXPECT_EQ(band.Name(2), L"Start search in Web");
  EXPECT_EQ(band.Role(2), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(band.DefaultAction(2), L"Press");
  Accessible box = band.Child(1);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.Name(CHILDID_SELF), L"Google search");
  EXPECT_EQ(box.Role(CHILDID_SELF), ROLE_SYSTEM_TEXT);

  Accessible search(SearchEdit());
  SetWindowTextW(SearchEdit(), L"kestrel");
  EXPECT_EQ(search.Name(CHILDID_SELF), L"Google search");
  EXPECT_EQ(search.Value(CHILDID_SELF), L"kestrel");
  EXPECT_EQ(band.DoDefaultAction(2), S_OK);
  EXPECT_EQ(WaitForLine(urlLog), kAddress + "kestrel\n");
}

// The hint names the engine a search goes to, and screen readers read the
// same name; it follows a change of engine at once.
TEST_F(BandSubmission, TheHintNamesTheEngineThatSearches) {
  const std::wstring wiki = L"https://wiki.example/w/index.php?search={searchTerms}";
  SetRegistryText(HKEY_CURRENT_USER, test::Below(kSettingsKey, kKeywordsKey), L"w", wiki);
  SetRegistryText(HKEY_CURRENT_USER, test::Below(kSettingsKey, kEngineNamesKey), L"w", L"Wiki");
  SetRegistryText(HKEY_CURRENT_USER, test::Below(kSettingsKey, kKeywordsKey), L"x",
                  L"https://x.example/?q=%s");
  const struct {
    const wchar_t* address;  // null: none stored
    const wchar_t* hint;
  } cases[] = {
      {L"https://duckduckgo.com/?q={searchTerms}", L"Search with DuckDuckGo"},
      {wiki.c_str(), L"Search with Wiki"},
      {L"https://x.example/?q=%s", L"Search with x"},  // unnamed: its keyword
      {L"https://intranet.example:8443/find?q=%s", L"Search with intranet.example:8443"},
      {L"notepad.exe %s", L"Google search"},  // never used: Google's country site searches
      {nullptr, L"Google search"},
  };
  const UINT settingsChanged = RegisterWindowMessageW(kSettingsChangedMessage);
  for (const auto& c : cases) {
    if (c.address != nullptr)
      SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue, c.address);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue);
    SendMessageW(BandWindow(), settingsChanged, 0, 0);
    EXPECT_EQ(Text(HintEdit()), c.hint);
    EXPECT_EQ(Accessible(SearchEdit()).Name(CHILDID_SELF), c.hint);
    EXPECT_EQ(Accessible(HintEdit()).Name(CHILDID_SELF), c.hint);
    EXPECT_EQ(Accessible(BandWindow()).Child(1).Name(CHILDID_SELF), c.hint);
  }
}

// Group Policy announces a change to every top-level window: the band, a
// child, hears it through its suggestion list's window and follows the
// engine that a machine policy now fixes.
TEST_F(BandSubmission, FollowsAPolicyChange) {
  ScratchRegistryRoot machine(HKEY_LOCAL_MACHINE), user(HKEY_CURRENT_USER);
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue,
                  L"https://www.bing.com/search?q={searchTerms}");
  SendMessageW(BandWindow(), RegisterWindowMessageW(kSettingsChangedMessage), 0, 0);
  ASSERT_EQ(Text(HintEdit()), L"Search with Bing");
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSearchAddressValue,
                  L"https://duckduckgo.com/?q={searchTerms}");
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"),
                      SMTO_ABORTIFHUNG, 5000, &answer);
  for (int waited = 0; waited < 5000 && Text(HintEdit()) != L"Search with DuckDuckGo"; waited += 50)
    PumpMessages(50);
  EXPECT_EQ(Text(HintEdit()), L"Search with DuckDuckGo");
}

// The browser cannot be started (its program is gone): the box is emptied
// as ever, then the words come back, unless other words were typed since,
// and a warning says what to check. Nothing was opened.
TEST_F(BandSubmission, ASearchThatCannotBeOpenedKeepsItsWords) {
  for (const wchar_t* key : {L"https\\shell\\open\\command", L"http\\shell\\open\\command"})
    SetRegistryText(HKEY_CLASSES_ROOT, key, nullptr, L"\"C:\\gone\\browser.exe\" \"%1\"");
  MessageBoxCatcher boxes;
  auto submitAndWait = [&](const wchar_t* words, const wchar_t* typedSince) {
    const size_t before = boxes.boxes.size();
    SetWindowTextW(SearchEdit(), words);
    SendMessageW(SearchEdit(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Text(SearchEdit()), L"");
    if (typedSince != nullptr) SetWindowTextW(SearchEdit(), typedSince);
    for (int waited = 0; waited < 15000 && boxes.boxes.size() == before; waited += 50)
      PumpMessages(50);
    return boxes.boxes.size() == before + 1;
  };
  ASSERT_TRUE(submitAndWait(L"lost words", nullptr)) << "no warning";
  EXPECT_EQ(boxes.boxes.back().caption, L"Corvane");
  EXPECT_NE(boxes.boxes.back().text.find(L"No browser could open this search"), std::wstring::npos)
      << std::string(boxes.boxes.back().text.begin(), boxes.boxes.back().text.end());
  EXPECT_EQ(Text(SearchEdit()), L"lost words");
  ASSERT_TRUE(submitAndWait(L"second try", L"typed since")) << "no warning";
  EXPECT_EQ(Text(SearchEdit()), L"typed since");
  EXPECT_EQ(ReadBytes(urlLog), "");
}

// The accessibility library's annotation service as a stand-in registered
// in this process, which records what it is told.
class RecordingAnnotations final : public IAccPropServices, public IClassFactory {
 public:
  struct Named {
    HWND window;
    DWORD object, child;
    bool isName;
    std::wstring text;
  };
  std::vector<Named> named;
  std::vector<HWND> cleared;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IClassFactory))
      *object = static_cast<IClassFactory*>(this);
    else if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kServicesId))
      *object = static_cast<IAccPropServices*>(this);
    else
      *object = nullptr;
    return *object != nullptr ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** object) override {
    return QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
  STDMETHODIMP SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                              LPCWSTR text) override {
    named.push_back({window, object, child, IsEqualGUID(property, kNameId) != FALSE, text});
    return S_OK;
  }
  STDMETHODIMP ClearHwndProps(HWND window, DWORD, DWORD, const MSAAPROPID*, int) override {
    cleared.push_back(window);
    return S_OK;
  }
  STDMETHODIMP SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  STDMETHODIMP SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                             AnnoScope) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  STDMETHODIMP SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  STDMETHODIMP SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                 AnnoScope) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  STDMETHODIMP SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  STDMETHODIMP SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                  AnnoScope) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  STDMETHODIMP ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
    return E_NOTIMPL;
  }

  // CLSID_AccPropServices, IID_IAccPropServices and PROPID_ACC_NAME.
  static constexpr CLSID kServicesClass = {
      0xB5F8350B, 0x0548, 0x48B1, {0xA6, 0xEE, 0x88, 0xBD, 0x00, 0xB4, 0xA5, 0xE7}};
  static constexpr IID kServicesId = {
      0x6E26E776, 0x04F0, 0x495D, {0x80, 0xE4, 0x33, 0x30, 0x35, 0x2E, 0x31, 0x69}};
  static constexpr GUID kNameId = {
      0x608D3DF8, 0x8128, 0x4AA7, {0xA4, 0x28, 0xF5, 0x5E, 0x49, 0x26, 0x72, 0x91}};
};

// Where the system names windows, the box keeps the system's objects (with
// reading by character and word, and the caret), named through it, and
// takes the names back when it goes; the band keeps its own object.
class BandNamedBySystem : public SitedBandTest {
 protected:
  BandNamedBySystem() {
    CoInitialize(nullptr);
    CoRegisterClassObject(RecordingAnnotations::kServicesClass,
                          static_cast<IClassFactory*>(&annotations), CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &registration);
  }
  ~BandNamedBySystem() override {
    CoRevokeClassObject(registration);
    CoUninitialize();
  }
  RecordingAnnotations annotations;
  DWORD registration = 0;
};

TEST_F(BandNamedBySystem, TheBoxKeepsTheSystemsObjects) {
  HWND search = SearchEdit(), hint = HintEdit();
  ASSERT_EQ(annotations.named.size(), 2u);
  for (const auto& named : annotations.named) {
    EXPECT_TRUE(named.window == search || named.window == hint);
    EXPECT_EQ(named.object, static_cast<DWORD>(OBJID_CLIENT));
    EXPECT_EQ(named.child, static_cast<DWORD>(CHILDID_SELF));
    EXPECT_TRUE(named.isName);
    EXPECT_EQ(named.text, L"Google search");
  }
  EXPECT_NE(annotations.named[0].window, annotations.named[1].window);
  for (HWND box : {search, hint})
    EXPECT_EQ(SendMessageW(box, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
  EXPECT_EQ(Accessible(BandWindow()).Name(CHILDID_SELF), L"Corvane");
  band->CloseDW(0);
  EXPECT_EQ(annotations.cleared, (std::vector<HWND>{search, hint}));
}

// The suggestion list as screen readers read it: a list of its entries,
// the chosen one selected as the arrows move through them.
class BandWithHistory : public SitedBandTest {
 protected:
  BandWithHistory() {
    const DWORD on = 1;
    SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kHistoryValue, REG_DWORD, &on, sizeof on);
    const wchar_t searches[] = L"kestrel\0kite\0";
    SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kRecentSearchesValue, REG_MULTI_SZ, searches,
                     sizeof searches);
  }
  ScratchRegistryRoot user{HKEY_CURRENT_USER};
};

TEST_F(BandWithHistory, ScreenReadersReadTheSuggestionList) {
  ActivateFrame();
  SetFocus(HintEdit());
  HWND list = nullptr;
  for (int i = 0; i < 100 && (list == nullptr || !IsWindowVisible(list)); ++i) {
    PumpMessages(20);
    list = FindWindowW(kSuggestionListClass, nullptr);
  }
  ASSERT_TRUE(list != nullptr && IsWindowVisible(list));
  Accessible reader(list);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader.Role(CHILDID_SELF), ROLE_SYSTEM_LIST);
  EXPECT_EQ(reader.Name(CHILDID_SELF), L"Suggestions");
  ASSERT_EQ(reader.ChildCount(), 2);
  EXPECT_EQ(reader.Name(1), L"kestrel");
  EXPECT_EQ(reader.Role(2), ROLE_SYSTEM_LISTITEM);
  EXPECT_EQ(reader.State(1) & STATE_SYSTEM_SELECTED, 0);
  SendMessageW(SearchEdit(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(SearchEdit(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_NE(reader.State(2) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(reader.State(1) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(Text(SearchEdit()), L"kite");
}

TEST_F(BandSubmission, EmptyQueriesAreRefused) {
  MessageBoxCatcher boxes;
  SendMessageW(SearchEdit(), WM_KEYDOWN, VK_RETURN, 0);  // a beep, no box
  EXPECT_TRUE(boxes.boxes.empty());
  SetWindowTextW(SearchEdit(), L"\r\n");  // nothing to search for
  Mouse(WM_LBUTTONDOWN, 287, 15);
  Mouse(WM_LBUTTONUP, 287, 15);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, L"Corvane");
  EXPECT_EQ(Text(SearchEdit()), L"");
  PumpMessages(300);
  EXPECT_EQ(ReadBytes(urlLog), "");  // nothing was launched
}

TEST_F(BandLayout, CompositedTaskbarShowsThroughTheButtonMargin) {
  IDeskBand2* band2 = Query<IDeskBand2>(band, IID_IDeskBand2);
  ASSERT_NE(band2, nullptr);
  BOOL state = FALSE;
  EXPECT_EQ(band2->CanRenderComposited(&state), S_OK);
  EXPECT_TRUE(state);
  EXPECT_EQ(band2->GetCompositionState(&state), S_OK);
  EXPECT_FALSE(state);
  EXPECT_EQ(band2->CanRenderComposited(nullptr), E_INVALIDARG);
  EXPECT_EQ(band2->GetCompositionState(nullptr), E_INVALIDARG);

  // The host's own background is a colour no part of the band has.
  const COLORREF kHostColour = RGB(255, 0, 255);
  UniqueGdiObject<HBRUSH> hostBrush(CreateSolidBrush(kHostColour));
  LONG_PTR classBrush =
      SetClassLongPtrW(frame, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(hostBrush.Get()));
  // (278, 6) is the bitmap's grey margin at the button's corner, inside the
  // window region.
  EXPECT_EQ(ShownPixel(BandWindow(), 278, 6), RGB(192, 192, 192));
  EXPECT_EQ(ShownPixel(BandWindow(), 281, 8), RGB(34, 139, 34));

  EXPECT_EQ(band2->SetCompositionState(TRUE), S_OK);
  EXPECT_EQ(band2->GetCompositionState(&state), S_OK);
  EXPECT_TRUE(state);
  EXPECT_EQ(ShownPixel(BandWindow(), 278, 6), kHostColour);
  EXPECT_EQ(ShownPixel(BandWindow(), 281, 8), RGB(34, 139, 34));
  EXPECT_EQ(ShownPixel(HintEdit(), 200, 9), RGB(255, 255, 255));  // the box stays white

  EXPECT_EQ(band2->SetCompositionState(FALSE), S_OK);
  EXPECT_EQ(ShownPixel(BandWindow(), 278, 6), RGB(192, 192, 192));
  SetClassLongPtrW(frame, GCLP_HBRBACKGROUND, classBrush);
  band2->Release();
}

TEST_F(BandLayout, ContextMenuItems) {
  HMENU menu = CreatePopupMenu();
  EXPECT_EQ(Menu()->QueryContextMenu(menu, 0, 100, 200, CMF_DEFAULTONLY), S_OK);
  EXPECT_EQ(GetMenuItemCount(menu), 0);
  EXPECT_EQ(Menu()->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL), 2);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  wchar_t text[64] = {};
  EXPECT_EQ(GetMenuItemID(menu, 0), 101u);
  GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&About Corvane...");
  EXPECT_EQ(GetMenuItemID(menu, 1), 100u);
  GetMenuStringW(menu, 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Show \u201C&Go\u201D button");
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED);
  DestroyMenu(menu);

  EXPECT_EQ(Invoke(0), S_OK);
  menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Close");
  EXPECT_EQ(Menu()->QueryContextMenu(menu, static_cast<UINT>(-1), 10, 20, 0), 2);
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(GetMenuItemID(menu, 1), 10u);  // appended: the Go item above
  EXPECT_FALSE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
  DestroyMenu(menu);

  EXPECT_EQ(Invoke(2), E_INVALIDARG);
  CMINVOKECOMMANDINFO byVerb = {sizeof byVerb};
  byVerb.lpVerb = "showgobtn";
  EXPECT_EQ(Menu()->InvokeCommand(&byVerb), E_INVALIDARG);
  EXPECT_EQ(ChildRect(SearchEdit()), (RECT{2, 4, 296, 26}));  // unchanged
}

TEST_F(BandLayout, ToggleWithoutAWindowRepaintsNothingElse) {
  band->CloseDW(0);
  PumpMessages();
  UpdateWindow(frame);
  ASSERT_FALSE(GetUpdateRect(frame, nullptr, FALSE));
  ASSERT_EQ(Invoke(0), S_OK);
  EXPECT_FALSE(GetUpdateRect(frame, nullptr, FALSE));
}

// A verb string above 4 GiB whose low 16 bits are 0 looks like offset 0 to a
// 16-bit test.
TEST_F(BandLayout, VerbStringsAnywhereAreRefused) {
  if (sizeof(void*) == 4)
    GTEST_SKIP() << "a 32-bit string is never below 64 KiB, where the old test was right";
  char* verb = nullptr;
  for (ULONGLONG high = 1; verb == nullptr && high < 64; ++high) {
    auto address = reinterpret_cast<void*>(static_cast<ULONG_PTR>(high << 32));
    verb =
        static_cast<char*>(VirtualAlloc(address, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  }
  ASSERT_NE(verb, nullptr);
  ASSERT_EQ(reinterpret_cast<ULONG_PTR>(verb) & 0xFFFFFFFF, 0u);
  lstrcpyA(verb, "showgobtn");
  CMINVOKECOMMANDINFO info = {sizeof info};
  info.lpVerb = verb;
  EXPECT_EQ(Menu()->InvokeCommand(&info), E_INVALIDARG);
  EXPECT_EQ(ToolRects().size(), 1u);  // the Go button is still shown
  VirtualFree(verb, 0, MEM_RELEASE);
}

TEST_F(BandLayout, AboutBox) {
  MessageBoxCatcher boxes;
  EXPECT_EQ(Invoke(1, frame), S_OK);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, L"Corvane");
  EXPECT_EQ(boxes.boxes[0].text.rfind(L"Corvane\nversion 1.0\n", 0), 0u);
}

constexpr HRESULT kInsufficientBuffer = static_cast<HRESULT>(0x8007007A);

struct CommandStringCase {
  UINT_PTR command;
  UINT type;
  UINT capacity;
  HRESULT result;
  const wchar_t* text;  // nullptr: nothing written
};

TEST_F(BandLayout, CommandStrings) {
  const CommandStringCase cases[] = {
      {1, GCS_VERBW, 20, S_OK, L"aboutcorvane"},
      {1, GCS_VERBW, 5, kInsufficientBuffer, L"abou"},
      {1, GCS_VERBW, 0, E_INVALIDARG, nullptr},
      {0, GCS_VERBW, 10, S_OK, L"showgobtn"},
      {0, GCS_VERBW, 9, kInsufficientBuffer, L"showgobt"},
      {0, GCS_HELPTEXTW, 64, S_OK, L"Toggle visibility of \"Go\" button"},
      {1, GCS_HELPTEXTW, 64, S_OK, L"Show information about this program"},
      {2, GCS_VERBW, 64, E_INVALIDARG, nullptr},
      {0, GCS_VERBA, 64, E_INVALIDARG, nullptr},
      {0, GCS_HELPTEXTA, 64, E_INVALIDARG, nullptr},
      {0, GCS_VALIDATEA, 64, E_INVALIDARG, nullptr},
      {0, GCS_VALIDATEW, 64, S_OK, nullptr},
      {7, GCS_VALIDATEW, 64, S_OK, nullptr},
      {0, GCS_VERBW, 0x80000000u, E_INVALIDARG, nullptr},
  };
  for (const CommandStringCase& c : cases) {
    wchar_t buffer[64];
    wmemset(buffer, L'#', 64);
    HRESULT result = Menu()->GetCommandString(c.command, c.type, nullptr,
                                              reinterpret_cast<CHAR*>(buffer), c.capacity);
    EXPECT_EQ(result, c.result) << c.command << "/" << c.type << "/" << c.capacity;
    if (c.text == nullptr) {
      EXPECT_EQ(buffer[0], L'#');
    } else {
      EXPECT_STREQ(buffer, c.text);
    }
  }
}

}  // namespace
}  // namespace corvane::test
