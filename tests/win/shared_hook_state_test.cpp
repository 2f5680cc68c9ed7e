// The hook's shared block: one copy for every process that loads the DLL,
// the removal that never takes another band's hook, and the list of live
// hint boxes that F12 chooses from, one per logon session.
#include "support/session_bands.h"
#include "ui/shared_hook_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/win/test_support.h"

using corvane::test::SharedWordsOf;

namespace corvane {
namespace {

std::wstring DllPath() { return test::ProgramFolder() + L"\\CORVANE.DLL"; }

// Runs this program again as the reader `suite`, which writes what it saw
// into a file; a reader that never ran leaves no file.
std::string RunReader(const std::wstring& suite) {
  test::ScratchFolder folder;
  std::wstring seen = folder.Child(L"seen.txt");
  wchar_t program[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(program) + L"\" --gtest_filter=" + suite +
                         L".* --gtest_also_run_disabled_tests";
  SetEnvironmentVariableW(L"CORVANE_SEEN_FILE", seen.c_str());
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return "not started";
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  SetEnvironmentVariableW(L"CORVANE_SEEN_FILE", nullptr);
  return test::ReadBytes(seen);
}

TEST(SharedHookBlock, SeenByAnotherProcess) {
  HMODULE dll = LoadLibraryW(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  SharedHookBlock* words = SharedWordsOf(dll);
  ASSERT_NE(words, nullptr);
  words->hookHintEdit = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x5A17C0DE));
  EXPECT_EQ(RunReader(L"SharedHookStateReader"), std::to_string(0x5A17C0DE));
  words->hookHintEdit = nullptr;
  FreeLibrary(dll);
}

// Started by SeenByAnotherProcess only.
TEST(SharedHookStateReader, DISABLED_ReadsTheWordsOfTheWriter) {
  wchar_t seen[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"CORVANE_SEEN_FILE", seen, MAX_PATH), 0u);
  HMODULE dll = LoadLibraryW(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  SharedHookBlock* words = SharedWordsOf(dll);
  ASSERT_NE(words, nullptr);
  test::WriteBytes(seen, std::to_string(reinterpret_cast<ULONG_PTR>(words->hookHintEdit)));
}

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK InstallTestHook() {
  return SetWindowsHookExW(WH_KEYBOARD, PassOn, nullptr, GetCurrentThreadId());
}

TEST(RemoveFocusHotkey, NothingInstalledDoesNothing) {
  SharedHookState = {};
  RemoveFocusHotkey(nullptr);
  EXPECT_EQ(SharedHookState.hookHandle, nullptr);
  EXPECT_EQ(SharedHookState.hookHintEdit, nullptr);
}

TEST(RemoveFocusHotkey, RemovesOnlyItsOwnHook) {
  SharedHookState = {};
  HWND hint = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
  HHOOK first = InstallTestHook();
  HHOOK second = InstallTestHook();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  SharedHookState.hookHandle = second;  // the second installed last
  SharedHookState.hookHintEdit = hint;

  RemoveFocusHotkey(first);  // an earlier band goes: the last one's stays
  EXPECT_EQ(SharedHookState.hookHandle, second);
  EXPECT_FALSE(UnhookWindowsHookEx(first));  // already removed

  RemoveFocusHotkey(second);
  EXPECT_EQ(SharedHookState.hookHandle, nullptr);
  EXPECT_EQ(SharedHookState.hookHintEdit, hint);
  EXPECT_FALSE(UnhookWindowsHookEx(second));
}

// Plain windows stand in for hint boxes; the hook's own test of a box is
// the band tests' business. A table of the test's own keeps the session's
// list to the bands of the other tests.
class FocusTargets : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HWND window : windows) DestroyWindow(window);
  }
  HWND NewWindow() {
    windows.push_back(CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr));
    return windows.back();
  }
  static bool AnyWindow(HWND window) { return IsWindow(window) != FALSE; }
  HRESULT Add(HWND window) { return AddFocusTarget(table, window, AnyWindow); }
  HWND Newest() const { return NewestFocusTarget(table, AnyWindow); }

  FocusTargetTable table = {};
  std::vector<HWND> windows;
};

TEST_F(FocusTargets, TheNewestLiveBoxIsChosen) {
  HWND earlier = NewWindow(), later = NewWindow();
  ASSERT_EQ(Add(earlier), S_OK);
  ASSERT_EQ(Add(later), S_OK);
  EXPECT_EQ(Newest(), later);
  // The later band goes: the earlier one is the target again.
  RemoveFocusTarget(table, later);
  EXPECT_EQ(Newest(), earlier);
  // A box that `accept` refuses (hidden, covered, gone) is passed over.
  DestroyWindow(earlier);
  EXPECT_EQ(Newest(), nullptr);
}

TEST_F(FocusTargets, AFullListRefusesAndEntriesOfGoneBandsAreTakenOver) {
  for (int i = 0; i < kFocusTargetCount; ++i) ASSERT_EQ(Add(NewWindow()), S_OK);
  EXPECT_EQ(Add(NewWindow()), E_OUTOFMEMORY);
  DestroyWindow(windows[7]);  // its process ended without taking its entry back
  HWND added = NewWindow();
  EXPECT_EQ(Add(added), S_OK);
  EXPECT_EQ(Newest(), added);
}

// The session's list is one for all its processes: a box listed here is what
// the hook reads in another program of the session.
TEST(SessionFocusTargets, ListedHereAreSeenByAnotherProcess) {
  HWND box = CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
  FocusTargetTable* targets = nullptr;
  ASSERT_EQ(SessionFocusTargets(&targets), S_OK);
  ASSERT_EQ(AddFocusTarget(*targets, box, [](HWND) { return true; }), S_OK);
  SetEnvironmentVariableW(L"CORVANE_LISTED_BOX", std::to_wstring(HandleToLong(box)).c_str());
  EXPECT_EQ(RunReader(L"SessionFocusTargetsReader"), "listed");
  RemoveFocusTarget(*targets, box);
  DestroyWindow(box);
}

// Started by ListedHereAreSeenByAnotherProcess only: reads the list as the
// hook does in a program that lists no band of its own.
TEST(SessionFocusTargetsReader, DISABLED_FindsTheBoxOfTheWriter) {
  wchar_t seen[MAX_PATH] = {}, box[32] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"CORVANE_SEEN_FILE", seen, MAX_PATH), 0u);
  ASSERT_GT(GetEnvironmentVariableW(L"CORVANE_LISTED_BOX", box, 32), 0u);
  static HWND listed = static_cast<HWND>(LongToHandle(_wtol(box)));
  HWND found = NewestSessionFocusTarget([](HWND window) { return window == listed; });
  test::WriteBytes(seen, found == listed ? "listed" : "not listed");
}

}  // namespace
}  // namespace corvane
