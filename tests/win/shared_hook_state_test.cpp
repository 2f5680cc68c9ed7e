// The hook's shared block: one copy for every process that loads the DLL,
// the removal that never takes another band's hook, and the list of live
// hint boxes that F12 chooses from, per logon session.
#include "ui/shared_hook_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/test_support.h"

using corvane::testing::SharedWordsOf;

namespace corvane {
namespace {

std::wstring DllPath() { return testing::ProgramFolder() + L"\\CORVANE.DLL"; }

// Runs this program again as a reader, which writes what it saw into a file;
// a reader that never ran leaves no file.
std::string RunReader() {
  testing::ScratchFolder folder;
  std::wstring seen = folder.Child(L"seen.txt");
  wchar_t program[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(program) +
                         L"\" --gtest_filter=SharedHookStateReader.* --gtest_also_run_disabled_tests";
  SetEnvironmentVariableW(L"CORVANE_SEEN_FILE", seen.c_str());
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return "not started";
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  SetEnvironmentVariableW(L"CORVANE_SEEN_FILE", nullptr);
  return testing::ReadBytes(seen);
}

TEST(SharedHookState, SeenByAnotherProcess) {
  HMODULE dll = LoadLibraryW(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  SharedHookState* words = SharedWordsOf(dll);
  ASSERT_NE(words, nullptr);
  words->hookHintEdit = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x5A17C0DE));
  EXPECT_EQ(RunReader(), std::to_string(0x5A17C0DE));
  words->hookHintEdit = nullptr;
  FreeLibrary(dll);
}

// Started by SeenByAnotherProcess only.
TEST(SharedHookStateReader, DISABLED_ReadsTheWordsOfTheWriter) {
  wchar_t seen[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"CORVANE_SEEN_FILE", seen, MAX_PATH), 0u);
  HMODULE dll = LoadLibraryW(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  SharedHookState* words = SharedWordsOf(dll);
  ASSERT_NE(words, nullptr);
  testing::WriteBytes(seen, std::to_string(reinterpret_cast<ULONG_PTR>(words->hookHintEdit)));
}

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK InstallTestHook() {
  return SetWindowsHookExW(WH_KEYBOARD, PassOn, nullptr, GetCurrentThreadId());
}

TEST(RemoveFocusHotkey, NothingInstalledDoesNothing) {
  sharedHookState = {};
  RemoveFocusHotkey(nullptr, nullptr);
  EXPECT_EQ(sharedHookState.hookHandle, nullptr);
  EXPECT_EQ(sharedHookState.hookHintEdit, nullptr);
}

TEST(RemoveFocusHotkey, RemovesOnlyItsOwnHook) {
  sharedHookState = {};
  HWND hint = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
  HHOOK first = InstallTestHook();
  HHOOK second = InstallTestHook();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  sharedHookState.hookHandle = second;  // the second installed last
  sharedHookState.hookHintEdit = hint;

  RemoveFocusHotkey(first, nullptr);  // an earlier band goes: the last one's stays
  EXPECT_EQ(sharedHookState.hookHandle, second);
  EXPECT_FALSE(UnhookWindowsHookEx(first));  // already removed

  RemoveFocusHotkey(second, hint);
  EXPECT_EQ(sharedHookState.hookHandle, nullptr);
  EXPECT_EQ(sharedHookState.hookHintEdit, hint);
  EXPECT_FALSE(UnhookWindowsHookEx(second));
}

// Plain windows stand in for hint boxes; the hook's own test of a box is
// the band tests' business.
class FocusTargets : public ::testing::Test {
 protected:
  void SetUp() override {
    sharedHookState = {};
    ProcessIdToSessionId(GetCurrentProcessId(), &session_);
  }
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
    sharedHookState = {};
  }
  HWND NewWindow() {
    windows_.push_back(CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, nullptr, nullptr));
    return windows_.back();
  }
  static bool AnyWindow(HWND window) { return IsWindow(window) != FALSE; }
  static HWND Newest() { return NewestFocusTarget(AnyWindow); }

  DWORD session_ = 0;
  std::vector<HWND> windows_;
};

TEST_F(FocusTargets, TheNewestLiveBoxOfTheSessionIsChosen) {
  HWND earlier = NewWindow(), later = NewWindow();
  ASSERT_TRUE(AddFocusTarget(earlier));
  ASSERT_TRUE(AddFocusTarget(later));
  EXPECT_EQ(Newest(), later);
  // The later band goes: the earlier one is the target again.
  HHOOK hook = InstallTestHook();
  RemoveFocusHotkey(hook, later);
  EXPECT_EQ(Newest(), earlier);
  // A box that `accept` refuses (hidden, covered, gone) is passed over.
  DestroyWindow(earlier);
  EXPECT_EQ(Newest(), nullptr);
}

TEST_F(FocusTargets, AnotherSessionsBoxesAreNeverChosenNorTaken) {
  HWND mine = NewWindow(), theirs = NewWindow();
  ASSERT_TRUE(AddFocusTarget(mine));
  // A band of another session installed after ours, its box a live window
  // here by chance: F12 in this session still goes to our box.
  sharedHookState.targets[5].box = FocusTargetBox(theirs, session_ + 1);
  sharedHookState.targets[5].installation = 1000;
  EXPECT_EQ(Newest(), mine);
  // Their entry stays theirs, even for a handle that names nothing here.
  sharedHookState.targets[5].box = FocusTargetBox(reinterpret_cast<HWND>(0x7FFE), session_ + 1);
  for (int i = 0; i < kFocusTargetCount - 2; ++i) ASSERT_TRUE(AddFocusTarget(NewWindow()));
  EXPECT_FALSE(AddFocusTarget(NewWindow()));  // full
  EXPECT_EQ(sharedHookState.targets[5].box,
            FocusTargetBox(reinterpret_cast<HWND>(0x7FFE), session_ + 1));
}

TEST_F(FocusTargets, EntriesOfBandsThatEndedWithoutLeavingAreTakenOver) {
  for (int i = 0; i < kFocusTargetCount; ++i) ASSERT_TRUE(AddFocusTarget(NewWindow()));
  HWND gone = windows_[7];
  DestroyWindow(gone);  // its process ended without taking its entry back
  HWND added = NewWindow();
  EXPECT_TRUE(AddFocusTarget(added));
  EXPECT_EQ(Newest(), added);
}

}  // namespace
}  // namespace corvane
