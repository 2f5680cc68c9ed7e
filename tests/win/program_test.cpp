// Corvane.exe as a user meets it: started as a process of its own, found by
// its window, driven with real input and messages from outside.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <ostream>
#include <string>
#include <vector>

#include "program/program_resource_ids.h"
#include "res/product.h"
#include "tests/support/win/accessible_reader.h"
#include "tests/support/win/taskbar_mode.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"
#include "ui/band_window.h"
#include "ui/shared_hook_state.h"

namespace corvane::test {
namespace {

const std::wstring kClassServerKey = std::wstring(L"CLSID\\") + kBandClassId + L"\\InprocServer32";
// The strip's size: 300 x 30 at 96 DPI, grown with the screen's DPI.
int ScreenDpi() {
  const wchar_t* dpi = _wgetenv(L"CORVANE_TEST_DPI");
  return dpi != nullptr ? _wtoi(dpi) : 96;
}
const int kWidth = MulDiv(300, ScreenDpi(), 96), kHeight = MulDiv(30, ScreenDpi(), 96);

// Where a strip stands: its top left corner.
struct Place {
  int left, top;
  bool operator==(const Place& other) const { return left == other.left && top == other.top; }
};

void PrintTo(const Place& place, std::ostream* out) {
  *out << "(" << place.left << ", " << place.top << ")";
}

// Polls `done` for up to `timeoutMs`, delivering this thread's messages.
template <class Condition>
bool WaitUntil(Condition done, DWORD timeoutMs = 10000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (done()) return true;
    PumpMessages(50);
  }
  return done();
}

// Corvane.exe from this tree, or from `folder`.
class Program : public ChildProcess {
 public:
  explicit Program(const std::wstring& arguments = L"",
                   const std::wstring& folder = ProgramFolder())
      : ChildProcess(L"\"" + folder + L"\\Corvane.exe\" " + arguments) {}
};

HWND StripOf(DWORD process) {
  for (HWND window = FindWindowExW(nullptr, nullptr, kStripWindowClass, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, kStripWindowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND WaitForStrip(const Program& program) {
  HWND strip = nullptr;
  WaitUntil([&] { return (strip = StripOf(program.Id())) != nullptr; });
  return strip;
}

Place PlaceOf(HWND strip) {
  RECT rect = {};
  GetWindowRect(strip, &rect);
  EXPECT_EQ(rect.right - rect.left, kWidth);
  EXPECT_EQ(rect.bottom - rect.top, kHeight);
  return {rect.left, rect.top};
}

bool MovesTo(HWND strip, Place expected) {
  return WaitUntil([&] {
    RECT rect = {};
    GetWindowRect(strip, &rect);
    return rect.left == expected.left && rect.top == expected.top;
  });
}

HWND FocusIn(HWND strip) {
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(strip, nullptr), &thread);
  return thread.hwndFocus;
}

HWND SearchBoxOf(HWND strip) {
  return GetDlgItem(FindWindowExW(strip, nullptr, nullptr, nullptr), kSearchEditId);
}

// A message to the program's window with the test hook in its thread, which
// sets or reports the work area inside the program's process.
void SendToWorkAreaHook(HWND strip, const wchar_t* name, WPARAM wParam, LPARAM lParam) {
  static HMODULE hookDll = LoadLibraryW((ProgramFolder() + L"\\work_area_hook.dll").c_str());
  ASSERT_NE(hookDll, nullptr);
  auto hook = reinterpret_cast<HOOKPROC>(GetProcAddress(hookDll, "WorkAreaHook"));
  ASSERT_NE(hook, nullptr);
  UniqueHook installed(
      SetWindowsHookExW(WH_CALLWNDPROC, hook, hookDll, GetWindowThreadProcessId(strip, nullptr)));
  ASSERT_TRUE(installed);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(strip, RegisterWindowMessageW(name), wParam, lParam, SMTO_BLOCK, 5000,
                      &ignored);
}

// Sets the work area inside the program's process, announced to its
// windows or not.
void SetWorkArea(HWND strip, RECT area, bool announce) {
  SendToWorkAreaHook(strip,
                     announce ? L"CorvaneTest.SetWorkArea" : L"CorvaneTest.SetWorkAreaQuietly",
                     MAKEWPARAM(area.left, area.top), MAKELPARAM(area.right, area.bottom));
}

// The work area the program sees (Wine keeps one per process).
RECT WorkAreaOf(HWND strip) {
  const UINT report = RegisterWindowMessageW(L"CorvaneTest.ReportWorkArea");
  SendToWorkAreaHook(strip, L"CorvaneTest.ReportWorkArea", GetCurrentThreadId(), 0);
  MSG message = {};
  RECT area = {-1, -1, -1, -1};
  for (int tries = 0; tries < 100; ++tries, Sleep(20))
    if (PeekMessageW(&message, reinterpret_cast<HWND>(-1), report, report, PM_REMOVE)) {
      area = {
          static_cast<short>(LOWORD(message.wParam)), static_cast<short>(HIWORD(message.wParam)),
          static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
      break;
    }
  return area;
}

void SendText(const std::wstring& text) {
  for (wchar_t unit : text) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wScan = input[1].ki.wScan = unit;
    input[0].ki.dwFlags = KEYEVENTF_UNICODE;
    input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpMessages(30);
  }
}

void MouseTo(int x, int y) {
  SetCursorPos(x, y);
  PumpMessages(50);
}

void MouseButton(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
  PumpMessages(100);
}

// Right-clicks the grip and picks a menu item by its underlined letter.
void ChooseFromMenu(HWND strip, WORD letter) {
  RECT rect = {};
  GetWindowRect(strip, &rect);
  MouseTo(rect.left + 4, rect.top + kHeight / 2);
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseButton(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; }))
      << "no context menu";
  SendKeys({letter});
}

bool HasValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  return RegGetValueW(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring TextValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t text[MAX_PATH * 2] = {};
  DWORD bytes = sizeof text;
  RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &bytes);
  return text;
}

void WritePlace(int left, int top) {
  for (auto [name, value] : {std::pair{L"StripLeft", left}, std::pair{L"StripTop", top}}) {
    DWORD data = static_cast<DWORD>(value);
    SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &data, sizeof data);
  }
}

// The message box a program shows, once it is up: its text.
std::wstring BoxTextOf(const Program& program, HWND* box) {
  WaitUntil([&] {
    *box = nullptr;
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == program.Id() && IsWindowVisible(window)) *box = window;
    }
    return *box != nullptr;
  });
  wchar_t text[1024] = {};
  if (*box != nullptr) GetDlgItemTextW(*box, 0xFFFF, text, ARRAYSIZE(text));
  return text;
}

TEST(ProgramFile, CarriesItsIconAndVersion) {
  const std::wstring path = ProgramFolder() + L"\\Corvane.exe";
  EXPECT_GE(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u);
  DWORD ignored = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  wchar_t* name = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\00000000\\ProductName",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_EQ(Narrow(std::wstring(name)), "Corvane");
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kStripWindowClass, nullptr), nullptr) << "a Corvane.exe is still running";
    // Bands come from the DLL beside the program: a registered class would win.
    UniqueRegistryKey registered;
    ASSERT_NE(
        RegOpenKeyExW(HKEY_CLASSES_ROOT, kClassServerKey.c_str(), 0, KEY_READ, registered.Put()),
        ERROR_SUCCESS);
    ForgetSettings();
    SetCursorPos(1020, 10);
  }
  void TearDown() override { ForgetSettings(); }

  // A user who has chosen nothing: also nothing a script or another test
  // left (the settings window's save writes every value it shows).
  static void ForgetSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(root, kPolicyKey);
  }

  static void SetPolicyNumber(HKEY root, const wchar_t* name, DWORD value) {
    SetRegistryValue(root, kPolicyKey, name, REG_DWORD, &value, sizeof value);
  }

  // Closes it from outside, as the system or another program would.
  static DWORD Close(Program& program, HWND strip) {
    PostMessageW(strip, WM_CLOSE, 0, 0);
    return program.Wait();
  }
};

TEST_F(ProgramTest, DocksAgainstEachTaskbarEdgeAndFollowsTheWorkArea) {
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  // No taskbar button, no place in Alt+Tab, above other windows.
  EXPECT_NE(GetWindow(strip, GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(strip, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
            WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  // No taskbar in this prefix: the bottom right of the whole screen.
  EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth, 768 - kHeight}));
  struct Case {
    const char* edge;
    RECT workArea;
    Place expected;
  } cases[] = {
      {"bottom", {0, 0, 1024, 728}, {1024 - kWidth, 728 - kHeight}},
      {"top", {0, 40, 1024, 768}, {1024 - kWidth, 40}},
      {"left", {60, 0, 1024, 768}, {60, 768 - kHeight}},
      {"right", {0, 0, 964, 768}, {964 - kWidth, 768 - kHeight}},
      {"none", {0, 0, 1024, 768}, {1024 - kWidth, 768 - kHeight}},
  };
  for (const Case& c : cases) {
    SetWorkArea(strip, c.workArea, true);
    EXPECT_TRUE(MovesTo(strip, c.expected)) << c.edge;
    EXPECT_EQ(PlaceOf(strip), c.expected) << c.edge;
  }
  EXPECT_EQ(Close(program, strip), 0u);
}

// A film, a game or a presentation in front over the strip's monitor puts
// it away until it ends; one on another monitor does not, nor does a
// maximised window, nor the shell's desktop in front after Win+D (a window
// of the class WorkerW that covers every monitor). (The shell's notice
// comes for any monitor.)
TEST_F(ProgramTest, StepsBackOnlyForAWindowThatFillsItsMonitor) {
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  const UINT notice = RegisterWindowMessageW(kShellNoticeMessage);
  WNDCLASSW desktopClass = {};
  desktopClass.lpfnWndProc = DefWindowProcW;
  desktopClass.lpszClassName = L"WorkerW";
  RegisterClassW(&desktopClass);
  struct Case {
    const char* what;
    const wchar_t* windowClass;
    RECT rect;
    bool maximised, stepsBack;
  } cases[] = {
      {"full screen on another monitor", L"static", {1024, 0, 2048, 768}, false, false},
      {"maximised", L"static", {0, 0, 200, 100}, true, false},
      {"the shell's desktop", L"WorkerW", {0, 0, 1024, 768}, false, false},
      {"full screen on its monitor", L"static", {0, 0, 1024, 768}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UniqueWindow front(CreateWindowExW(
        0, c.windowClass, L"front", (c.maximised ? WS_OVERLAPPEDWINDOW : WS_POPUP) | WS_VISIBLE,
        c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top, nullptr,
        nullptr, nullptr, nullptr));
    if (c.maximised) ShowWindow(front.Get(), SW_MAXIMIZE);
    Activate(front.Get());
    SendMessageW(strip, notice, ABN_FULLSCREENAPP, TRUE);
    EXPECT_EQ(IsWindowVisible(strip), !c.stepsBack);
    front.Reset();
    SendMessageW(strip, notice, ABN_FULLSCREENAPP, FALSE);
    EXPECT_TRUE(IsWindowVisible(strip));
  }
  EXPECT_EQ(Close(program, strip), 0u);
}

TEST_F(ProgramTest, DocksAgainWhenExplorerStartsAgain) {
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  SetWorkArea(strip, {0, 48, 1024, 768}, false);
  PumpMessages(300);
  EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth, 768 - kHeight})) << "moved unannounced";
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(MovesTo(strip, {1024 - kWidth, 48}));
  EXPECT_EQ(Close(program, strip), 0u);
}

TEST_F(ProgramTest, RemembersTheDraggedPlaceAndKeepsItOnScreen) {
  {
    Program program;
    HWND strip = WaitForStrip(program);
    ASSERT_NE(strip, nullptr);
    Place docked = PlaceOf(strip);
    MouseTo(docked.left + 4, docked.top + kHeight / 2);  // the grip
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 10; ++step)
      MouseTo(docked.left + 4 - 50 * step, docked.top + kHeight / 2 - 40 * step);
    MouseButton(MOUSEEVENTF_LEFTUP);
    const Place dropped = {docked.left - 500, docked.top - 400};
    EXPECT_TRUE(MovesTo(strip, dropped));
    EXPECT_TRUE(WaitUntil([] { return HasValue(HKEY_CURRENT_USER, kSettingsKey, L"StripTop"); }));
    EXPECT_EQ(Close(program, strip), 0u);
  }
  {
    Program again;
    HWND strip = WaitForStrip(again);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth - 500, 768 - kHeight - 400}));
    // The screen shrinks under the strip: it is pulled back whole.
    SetWorkArea(strip, {0, 0, 500, 300}, true);
    EXPECT_TRUE(MovesTo(strip, {500 - kWidth, 300 - kHeight}));
    // "Reset position" forgets the place and docks again.
    SetWorkArea(strip, {0, 0, 1024, 768}, true);
    ChooseFromMenu(strip, 'R');
    EXPECT_TRUE(MovesTo(strip, {1024 - kWidth, 768 - kHeight}));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kSettingsKey, L"StripLeft"));
    EXPECT_EQ(Close(again, strip), 0u);
  }
  // A place from a larger screen than today's.
  WritePlace(3000, 2000);
  Program later;
  HWND strip = WaitForStrip(later);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth, 768 - kHeight}));
  EXPECT_EQ(Close(later, strip), 0u);
}

TEST_F(ProgramTest, ASecondStartFocusesTheFirstAndLeaves) {
  Program first;
  HWND strip = WaitForStrip(first);
  ASSERT_NE(strip, nullptr);
  Program second;
  EXPECT_EQ(second.Wait(), 0u);
  EXPECT_EQ(StripOf(second.Id()), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return FocusIn(strip) == SearchBoxOf(strip); }))
      << "focus is at " << FocusIn(strip);
  EXPECT_EQ(Close(first, strip), 0u);
}

TEST_F(ProgramTest, SaysSoWhenTheRunningOneDoesNotAnswer) {
  // The session is claimed, but no strip ever shows.
  UniqueKernelObject claim(CreateMutexW(nullptr, FALSE, kProgramMutex));
  Program second;
  HWND box = nullptr;
  EXPECT_NE(BoxTextOf(second, &box).find(L"does not answer"), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(second.Wait(), 1u);
}

TEST_F(ProgramTest, StartsWithWindowsFromTheSwitchAndTheMenu) {
  const std::wstring command = L"\"" + ProgramFolder() + L"\\Corvane.exe\" --startup";
  Program on(L"--autostart on");
  EXPECT_EQ(on.Wait(), 0u);
  EXPECT_EQ(StripOf(on.Id()), nullptr);
  EXPECT_EQ(Narrow(TextValue(HKEY_CURRENT_USER, kRunKey, kRunValue)), Narrow(command));
  for (int i = 0; i < 2; ++i) {  // removing twice is no failure
    Program off(L"--autostart off");
    EXPECT_EQ(off.Wait(), 0u);
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue));
  }
  Program unknown(L"--autostart maybe");
  HWND box = nullptr;
  EXPECT_NE(BoxTextOf(unknown, &box).find(L"--autostart on"), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(unknown.Wait(), 2u);

  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  ChooseFromMenu(strip, 'W');
  EXPECT_TRUE(WaitUntil([] { return HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue); }));
  ChooseFromMenu(strip, 'W');
  EXPECT_TRUE(WaitUntil([] { return !HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue); }));
  ChooseFromMenu(strip, 'X');
  EXPECT_EQ(program.Wait(), 0u);
}

// Installed for all users, the machine's Run value starts Corvane at every
// sign-in: each user's "no" is theirs, kept beside the band's setting, and a
// start from a Run value never takes the focus from a Corvane that runs.
TEST_F(ProgramTest, UnderTheMachinesRunValueEachUserChooses) {
  SetRegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue,
                  L"\"" + ProgramFolder() + L"\\Corvane.exe\" --startup");
  // An earlier version's value of the user's own goes at the first start.
  SetRegistryText(HKEY_CURRENT_USER, kRunKey, kRunValue, L"\"C:\\Old\\Corvane.exe\"");
  Program atSignIn(L"--startup");
  HWND strip = WaitForStrip(atSignIn);
  ASSERT_NE(strip, nullptr);
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue));
  HWND elsewhere = CreateFrame(200, 100, 100, 100);
  Activate(elsewhere);
  Program again(L"--startup");
  EXPECT_EQ(again.Wait(), 0u);
  // A focus handed on would arrive within moments.
  EXPECT_FALSE(WaitUntil([&] { return FocusIn(strip) == SearchBoxOf(strip); }, 1000));
  DestroyWindow(elsewhere);

  ChooseFromMenu(strip, 'W');
  EXPECT_TRUE(
      WaitUntil([] { return HasValue(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindowsValue); }));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue));
  EXPECT_EQ(Close(atSignIn, strip), 0u);
  Program declined(L"--startup");
  EXPECT_EQ(declined.Wait(), 0u);
  EXPECT_EQ(StripOf(declined.Id()), nullptr);

  Program on(L"--autostart on");
  EXPECT_EQ(on.Wait(), 0u);
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindowsValue));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue));
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
}

// A policy's StartWithWindows decides for every user: 1 starts Corvane
// whatever the user declined, 0 never, and neither can be changed.
TEST_F(ProgramTest, APolicyDecidesTheStartWithWindows) {
  SetRegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue,
                  L"\"" + ProgramFolder() + L"\\Corvane.exe\" --startup");
  DWORD declined = 0;
  SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindowsValue, REG_DWORD, &declined,
                   sizeof declined);
  SetPolicyNumber(HKEY_LOCAL_MACHINE, kStartWithWindowsValue, 1);
  Program off(L"--autostart off");
  EXPECT_EQ(off.Wait(), 1u) << "a fixed start was changed";
  Program atSignIn(L"--startup");
  HWND strip = WaitForStrip(atSignIn);
  ASSERT_NE(strip, nullptr) << "the user's no outweighed the policy";
  EXPECT_EQ(Close(atSignIn, strip), 0u);

  SetPolicyNumber(HKEY_CURRENT_USER, kStartWithWindowsValue, 0);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kPolicyKey, kStartWithWindowsValue);
  SetRegistryText(HKEY_CURRENT_USER, kRunKey, kRunValue, L"\"C:\\Old\\Corvane.exe\" --startup");
  Program on(L"--autostart on");
  EXPECT_EQ(on.Wait(), 1u);
  Program never(L"--startup");
  EXPECT_EQ(never.Wait(), 0u);
  EXPECT_EQ(StripOf(never.Id()), nullptr);
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue)) << "the user's Run value stayed";
}

// The settings window greys what a policy fixes under a line that says so,
// and its OK stores the user's own choices only.
TEST_F(ProgramTest, TheSettingsWindowLocksWhatAPolicyFixes) {
  const std::wstring userKeywords = Below(kSettingsKey, kKeywordsKey);
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSearchAddressValue,
                  L"https://intranet.example/?q=%s");
  SetRegistryText(HKEY_LOCAL_MACHINE, Below(kPolicyKey, kKeywordsKey), L"in",
                  L"https://intranet.example/?q=%s");
  SetRegistryText(HKEY_CURRENT_USER, kPolicyKey, kFocusKeyValue, L"none");
  SetPolicyNumber(HKEY_CURRENT_USER, kSuggestionsValue, 1);
  SetRegistryText(HKEY_CURRENT_USER, userKeywords, L"w", L"https://wiki.example/?q=%s");
  Program settings(L"--settings");
  HWND dialog = nullptr;
  // Shown once its controls are set up.
  ASSERT_TRUE(WaitUntil([&] {
    dialog = FindWindowW(nullptr, L"Corvane settings");
    return dialog != nullptr && IsWindowVisible(dialog);
  }));
  auto enabled = [&](int control) { return IsWindowEnabled(GetDlgItem(dialog, control)) != 0; };
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_MANAGED)));
  for (int control : {IDC_DEFAULT_ENGINE, IDC_KEY_F12, IDC_KEY_NONE, IDC_KEY_COMBINATION,
                      IDC_KEY_TEXT, IDC_SUGGESTIONS})
    EXPECT_FALSE(enabled(control)) << control;
  for (int control : {IDC_HISTORY, IDC_PLACEMENT, IDC_ENGINE_ADD}) EXPECT_TRUE(enabled(control));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_KEY_NONE), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SUGGESTIONS), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_ENGINE_LIST, LVM_GETITEMCOUNT, 0, 0), 2);
  SendMessageW(GetDlgItem(dialog, IDC_HISTORY), BM_CLICK, 0, 0);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(settings.Wait(), 0u);
  for (const wchar_t* fixed : {kSearchAddressValue, kFocusKeyValue, kSuggestionsValue})
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kSettingsKey, fixed)) << fixed;
  DWORD history = 0, bytes = sizeof history;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kHistoryValue, RRF_RT_REG_DWORD, nullptr,
                         &history, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(history, 1u);
  EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, userKeywords.c_str(), L"w"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, userKeywords.c_str(), L"in"));
}

TEST_F(ProgramTest, LeavesCleanlyWhenClosedOrWhenTheSessionEnds) {
  SharedHookBlock* words = SharedWordsOf(CorvaneDll());
  for (bool sessionEnds : {false, true}) {
    Program program;
    HWND strip = WaitForStrip(program);
    ASSERT_NE(strip, nullptr);
    EXPECT_NE(words->hookHandle, nullptr) << "the F12 hook is not in place";
    if (sessionEnds) {
      EXPECT_EQ(SendMessageW(strip, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
      SendMessageW(strip, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
      EXPECT_EQ(program.Wait(), 0u);
    } else {
      EXPECT_EQ(Close(program, strip), 0u);
    }
    EXPECT_EQ(words->hookHandle, nullptr) << "a hook was left behind";
    // The band writes its setting when its last reference goes.
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton")) << sessionEnds;
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kSettingsKey, L"StripLeft"));
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton");
  }
}

// The program opens addresses through the machine's handler: the recorder
// stands in for it for the length of a test, then the old one is back.
class RecorderAsBrowser {
 public:
  explicit RecorderAsBrowser(const std::wstring& log) {
    for (int i = 0; i < 2; ++i) saved[i] = TextValue(HKEY_CLASSES_ROOT, kHandlers[i], nullptr);
    RegisterRecorder(log);  // the program inherits the log's place
  }
  ~RecorderAsBrowser() {
    for (int i = 0; i < 2; ++i) SetRegistryText(HKEY_CLASSES_ROOT, kHandlers[i], nullptr, saved[i]);
  }

 private:
  static constexpr const wchar_t* kHandlers[2] = {L"https\\shell\\open\\command",
                                                  L"http\\shell\\open\\command"};
  std::wstring saved[2];
};

TEST_F(ProgramTest, F12OpensItsBoxAndASearchReachesTheBrowser) {
  ScratchFolder folder;
  const std::wstring log = folder.Child(L"urls.log");
  RecorderAsBrowser recorder(log);
  // The other application is in front before Corvane starts: Wine hears of
  // the X server's focus a moment after its own activation, and a late
  // notice would take the activation back from the strip F12 has clicked.
  HWND elsewhere = CreateFrame(200, 100, 100, 100);
  Activate(elsewhere);
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  ASSERT_EQ(GetForegroundWindow(), elsewhere);
  SendKeys({VK_F12});
  EXPECT_TRUE(WaitUntil([&] { return FocusIn(strip) == SearchBoxOf(strip); }));
  SendText(L"grüne taskleiste");
  SendKeys({VK_RETURN});
  EXPECT_EQ(WaitForLine(log),
            "https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=gr%C3%BCne+taskleiste\n");
  DestroyWindow(elsewhere);
  EXPECT_EQ(Close(program, strip), 0u);
}

// The notification area's click calls the strip, and its menu offers the
// settings, the start with Windows and the way out.
TEST_F(ProgramTest, ItsIconCallsItAndOffersItsMenu) {
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  const UINT notice = RegisterWindowMessageW(kIconNoticeMessage);
  PostMessageW(strip, notice, 0, MAKELPARAM(NIN_SELECT, 1));
  EXPECT_TRUE(WaitUntil([&] { return FocusIn(strip) == SearchBoxOf(strip); }));
  auto chooseFromIconMenu = [&](WORD letter) {
    PostMessageW(strip, notice, MAKEWPARAM(500, 700), MAKELPARAM(WM_CONTEXTMENU, 1));
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; })) << "no menu";
    SendKeys({letter});
  };
  chooseFromIconMenu('W');
  EXPECT_TRUE(WaitUntil([] { return HasValue(HKEY_CURRENT_USER, kRunKey, kRunValue); }))
      << "Start with Windows";
  chooseFromIconMenu('X');
  EXPECT_EQ(program.Wait(), 0u) << "Exit";
}

void ChoosePlacement(const wchar_t* mode, HWND strip = nullptr) {
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kPlacementValue, mode);
  if (strip != nullptr) PostMessageW(strip, RegisterWindowMessageW(kSettingsChangedMessage), 0, 0);
}

bool WorkAreaBecomes(HWND strip, RECT expected) {
  return WaitUntil([&] {
    RECT area = WorkAreaOf(strip);
    return EqualRect(&area, &expected) != FALSE;
  });
}

// Keeping a row of its own, the strip takes it out of the work area that
// maximised windows fill, along whichever edge the taskbar is, and gives it
// back when it floats again.
TEST_F(ProgramTest, KeepsARowOfItsOwnOutOfTheWorkArea) {
  ChoosePlacement(L"reserve");
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth, 768 - kHeight}));
  EXPECT_TRUE(WorkAreaBecomes(strip, {0, 0, 1024, 768 - kHeight}));
  SetWorkArea(strip, {0, 40, 1024, 768}, true);  // the taskbar at the top
  EXPECT_TRUE(MovesTo(strip, {1024 - kWidth, 40}));
  EXPECT_TRUE(WorkAreaBecomes(strip, {0, 40 + kHeight, 1024, 768}));
  ChoosePlacement(L"float", strip);
  EXPECT_TRUE(WorkAreaBecomes(strip, {0, 40, 1024, 768}));
  EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth, 40}));
  EXPECT_EQ(Close(program, strip), 0u);
}

// Out of sight until called: F12 from another program or the icon brings it
// beside the taskbar with the focus in its box; a search, Esc or a click
// elsewhere puts it away again. (A program each time: Wine hears of the X
// server's focus a moment late, and a late notice of the window the strip
// left would put away a strip called again at once.)
TEST_F(ProgramTest, HiddenUntilCalledAndPutAwayWhenDone) {
  ScratchFolder folder;
  const std::wstring log = folder.Child(L"urls.log");
  RecorderAsBrowser recorder(log);
  HWND elsewhere = CreateFrame(200, 100, 100, 100);
  Activate(elsewhere);
  ChoosePlacement(L"hidden");
  enum class Call { F12, Icon };
  enum class Done { Search, Escape, ClickElsewhere };
  const struct Case {
    const char* what;
    Call call;
    Done done;
  } cases[] = {{"F12, then a search", Call::F12, Done::Search},
               {"F12, then Esc", Call::F12, Done::Escape},
               {"the icon, then a click elsewhere", Call::Icon, Done::ClickElsewhere}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Program program;
    ASSERT_TRUE(program.WaitUntilIdle());
    HWND strip = FindWindowW(kStripWindowClass, nullptr);
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(IsWindowVisible(strip));
    if (c.call == Call::F12)
      SendKeys({VK_F12});
    else
      PostMessageW(strip, RegisterWindowMessageW(kIconNoticeMessage), 0, MAKELPARAM(NIN_SELECT, 1));
    ASSERT_TRUE(
        WaitUntil([&] { return IsWindowVisible(strip) && FocusIn(strip) == SearchBoxOf(strip); }));
    EXPECT_EQ(PlaceOf(strip), (Place{1024 - kWidth, 768 - kHeight}));
    if (c.done == Done::Search) {
      SendText(L"versteckt");
      SendKeys({VK_RETURN});
      EXPECT_EQ(WaitForLine(log), "https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=versteckt\n");
    } else if (c.done == Done::Escape) {
      SendKeys({VK_ESCAPE});
    } else {
      Activate(elsewhere);
    }
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(strip); })) << "not put away";
    EXPECT_EQ(Close(program, strip), 0u);
  }
  DestroyWindow(elsewhere);
}

// Puts `text` on the clipboard as Unicode text, or empties it.
void Copy(const wchar_t* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (text != nullptr) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
  }
  CloseClipboard();
}

// Holds the keys down in turn and lets them go the other way round.
void PressTogether(const std::vector<WORD>& keys) {
  std::vector<INPUT> input(keys.size() * 2);
  for (size_t i = 0; i < keys.size(); ++i) {
    input[i].type = input[input.size() - 1 - i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys[i];
    input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  PumpMessages(100);
}

// Right-clicks the box and picks an item of its own menu by its letter.
void ChooseFromBoxMenu(HWND strip, WORD letter) {
  RECT rect = {};
  GetWindowRect(strip, &rect);
  MouseTo(rect.left + kWidth / 3, rect.top + kHeight / 2);
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseButton(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; }))
      << "no menu of the box's";
  SendKeys({letter});
}

// What was copied is searched as if typed, from the program in front by
// the key or from either menu, one line of it: a keyword picks its engine
// and an address opens. With nothing copied the key opens the box instead.
TEST_F(ProgramTest, SearchesWhatWasCopied) {
  ScratchFolder folder;
  const std::wstring log = folder.Child(L"urls.log");
  RecorderAsBrowser recorder(log);
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchClipboardKeyValue, L"Ctrl+Alt+V");
  SetRegistryText(HKEY_CURRENT_USER, Below(kSettingsKey, kKeywordsKey), L"w",
                  L"https://wiki.example/w/{searchTerms}");
  HWND elsewhere = CreateFrame(200, 100, 100, 100);
  Activate(elsewhere);
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  enum class Way { Key, StripMenu, BoxMenu };
  const struct Case {
    const char* what;
    const wchar_t* copied;
    Way way;
    const char* opened;
  } cases[] = {
      {"the key, lines of a page", L"  Taskleiste\r\n\tauf   jedem\r\nBildschirm\r\n", Way::Key,
       "https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=Taskleiste+auf+jedem+Bildschirm\n"},
      {"the strip's menu, a keyword", L"w\r\nberlin", Way::StripMenu,
       "https://wiki.example/w/berlin\n"},
      {"the box's menu, an address", L"https://www.example.org/a?b=c\r\n", Way::BoxMenu,
       "https://www.example.org/a?b=c\n"},
  };
  // One line each, in turn: the recorder may still hold the log when a line
  // is in it.
  std::string opened;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Copy(c.copied);
    Activate(elsewhere);
    if (c.way == Way::Key) PressTogether({VK_CONTROL, VK_MENU, 'V'});
    if (c.way == Way::StripMenu) ChooseFromMenu(strip, 'P');
    if (c.way == Way::BoxMenu) ChooseFromBoxMenu(strip, 'S');
    opened += c.opened;
    EXPECT_TRUE(WaitForText(log, opened)) << ReadBytes(log);
  }
  EXPECT_EQ(ReadBytes(log), opened);
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kSettingsKey, kRecentSearchesValue))
      << "kept with the history off";
  Copy(nullptr);
  Activate(elsewhere);
  PressTogether({VK_CONTROL, VK_MENU, 'V'});
  EXPECT_TRUE(WaitUntil([&] { return FocusIn(strip) == SearchBoxOf(strip); }))
      << "nothing copied: the box did not open";
  DestroyWindow(elsewhere);
  EXPECT_EQ(Close(program, strip), 0u);
}

// A frame of the test's that counts the key messages it is given.
struct KeyCounter {
  static inline int f12 = 0, a = 0;
  static inline WNDPROC frameProc = nullptr;
  static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM key, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
      if (key == VK_F12) ++f12;
      if (key == 'A') ++a;
    }
    return CallWindowProcW(frameProc, window, message, key, lParam);
  }
  explicit KeyCounter(HWND frame) {
    f12 = a = 0;
    frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Count)));
  }
};

// Out of sight, the strip hears F12 through a hook that does not wait for
// the strip's own thread: with that thread held (stopped outright here),
// the session's keys reach the program in front at once, and F12 goes no
// further and calls the strip as soon as its thread goes on.
TEST_F(ProgramTest, HiddenStripHearsF12WhileItsThreadIsBusy) {
  HWND elsewhere = CreateFrame(200, 100, 100, 100);
  KeyCounter keys(elsewhere);
  Activate(elsewhere);
  ChoosePlacement(L"hidden");
  Program program;
  ASSERT_TRUE(program.WaitUntilIdle());
  HWND strip = FindWindowW(kStripWindowClass, nullptr);
  ASSERT_NE(strip, nullptr);
  UniqueKernelObject stripThread(
      OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(strip, nullptr)));
  ASSERT_TRUE(stripThread);
  ASSERT_NE(SuspendThread(stripThread.Get()), static_cast<DWORD>(-1));
  SendKeys({'A'});
  EXPECT_TRUE(WaitUntil([] { return KeyCounter::a == 2; }, 1000)) << "the keys waited";
  SendKeys({VK_F12});
  PumpMessages(300);
  ResumeThread(stripThread.Get());
  EXPECT_TRUE(
      WaitUntil([&] { return IsWindowVisible(strip) && FocusIn(strip) == SearchBoxOf(strip); }));
  EXPECT_EQ(KeyCounter::f12, 0) << "F12 reached the program in front";
  DestroyWindow(elsewhere);
  EXPECT_EQ(Close(program, strip), 0u);
}

// What a screen reader finds in the strip: a toolbar holding its grip, whose
// action opens the menu, and the band; and its colours follow the taskbar's.
TEST_F(ProgramTest, NamesItsGripAndTakesTheTaskbarsMode) {
  Program program;
  HWND strip = WaitForStrip(program);
  ASSERT_NE(strip, nullptr);
  Accessible reader(strip);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader.Role(CHILDID_SELF), ROLE_SYSTEM_TOOLBAR);
  EXPECT_EQ(reader.Name(CHILDID_SELF), L"Corvane");
  ASSERT_EQ(reader.ChildCount(), 2);
  EXPECT_EQ(reader.Role(1), ROLE_SYSTEM_GRIP);
  EXPECT_EQ(reader.Name(1), L"Move Corvane");
  EXPECT_EQ(reader.DefaultAction(1), L"Open menu");
  Accessible band = reader.Child(2);
  ASSERT_TRUE(band);
  EXPECT_EQ(band.Name(2), L"Start search in Web");

  // Above the Go button, beside the band: the strip's own background.
  RECT client = {};
  GetClientRect(strip, &client);
  auto background = [&] {
    RedrawWindow(strip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(strip);
    COLORREF colour = GetPixel(dc, client.right - 3, 2);
    ReleaseDC(strip, dc);
    return colour;
  };
  EXPECT_EQ(background(), GetSysColor(COLOR_BTNFACE));
  {
    TaskbarMode dark(0);
    EXPECT_TRUE(WaitUntil([&] { return background() == RGB(32, 32, 32); }));
  }
  EXPECT_TRUE(WaitUntil([&] { return background() == GetSysColor(COLOR_BTNFACE); }));

  EXPECT_EQ(reader.DoDefaultAction(1), S_OK);
  HWND menu = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr; }));
  if (menu != nullptr) PostMessageW(strip, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Close(program, strip), 0u);
}

TEST_F(ProgramTest, SaysWhyItCannotStart) {
  ScratchFolder alone;
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\Corvane.exe").c_str(),
                        alone.Child(L"Corvane.exe").c_str(), FALSE));
  struct Case {
    const char* what;
    const wchar_t* otherDll;
    const wchar_t* words;
  } cases[] = {
      {"no class, no DLL", nullptr, L"is not installed"},
      {"the other architecture's DLL", _wgetenv(L"CORVANE_OTHER_ARCHITECTURE_DLL"),
       sizeof(void*) == 8 ? L"made for 32-bit programs" : L"made for 64-bit programs"},
  };
  for (const Case& c : cases) {
    if (c.otherDll != nullptr) {
      if (GetFileAttributesW(c.otherDll) == INVALID_FILE_ATTRIBUTES) {
        ADD_FAILURE() << "no DLL of the other architecture at " << Narrow(std::wstring(c.otherDll));
        continue;
      }
      ASSERT_TRUE(CopyFileW(c.otherDll, alone.Child(L"CORVANE.DLL").c_str(), FALSE));
    }
    Program program(L"", alone.Path());
    HWND box = nullptr;
    std::wstring text = BoxTextOf(program, &box);
    EXPECT_NE(text.find(c.words), std::wstring::npos) << c.what << ": " << Narrow(text);
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, ARRAYSIZE(caption));
    EXPECT_EQ(Narrow(std::wstring(caption)), "Corvane") << c.what;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.Wait(), 1u) << c.what;
  }
}

}  // namespace
}  // namespace corvane::test
