// The hook's shared block: one copy for every process that loads the DLL,
// the removal that never takes another band's hook, and the list of live
// hint boxes that F12 chooses from, per logon session.
#include "ui/shared_hook_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/win/test_support.h"

using corvane::test::SharedWordsOf;

namespace corvane {
namespace {

std::wstring DllPath() { return test::ProgramFolder() + L"\\CORVANE.DLL"; }

// Runs this program again as a reader, which writes what it saw into a file;
// a reader that never ran leaves no file.
std::string RunReader() {
  test::ScratchFolder folder;
  std::wstring seen = folder.Child(L"seen.txt");
  wchar_t program[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command =
      L"\"" + std::wstring(program) +
      L"\" --gtest_filter=SharedHookStateReader.* --gtest_also_run_disabled_tests";
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
  RemoveFocusHotkey(nullptr, nullptr);
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

  RemoveFocusHotkey(first, nullptr);  // an earlier band goes: the last one's stays
  EXPECT_EQ(SharedHookState.hookHandle, second);
  EXPECT_FALSE(UnhookWindowsHookEx(first));  // already removed

  RemoveFocusHotkey(second, hint);
  EXPECT_EQ(SharedHookState.hookHandle, nullptr);
  EXPECT_EQ(SharedHookState.hookHintEdit, hint);
  EXPECT_FALSE(UnhookWindowsHookEx(second));
}

// Plain windows stand in for hint boxes; the hook's own test of a box is
// the band tests' business.
class FocusTargets : public ::testing::Test {
 protected:
  void SetUp() override {
    SharedHookState = {};
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
  }
  void TearDown() override {
    for (HWND window : windows) DestroyWindow(window);
    SharedHookState = {};
  }
  HWND NewWindow() {
    windows.push_back(CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr));
    return windows.back();
  }
  static bool AnyWindow(HWND window) { return IsWindow(window) != FALSE; }
  static HWND Newest() { return NewestFocusTarget(AnyWindow); }

  DWORD session = 0;
  std::vector<HWND> windows;
};

TEST_F(FocusTargets, TheNewestLiveBoxOfTheSessionIsChosen) {
  HWND earlier = NewWindow(), later = NewWindow();
  ASSERT_EQ(AddFocusTarget(earlier), S_OK);
  ASSERT_EQ(AddFocusTarget(later), S_OK);
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
  ASSERT_EQ(AddFocusTarget(mine), S_OK);
  // A band of another session installed after ours, its box a live window
  // here by chance: F12 in this session still goes to our box.
  SharedHookState.targets[5].box = FocusTargetBox(theirs, session + 1);
  SharedHookState.targets[5].installation = 1000;
  EXPECT_EQ(Newest(), mine);
  // Their entry stays theirs, even for a handle that names nothing here.
  SharedHookState.targets[5].box = FocusTargetBox(reinterpret_cast<HWND>(0x7FFE), session + 1);
  for (int i = 0; i < kFocusTargetCount - 2; ++i) ASSERT_EQ(AddFocusTarget(NewWindow()), S_OK);
  EXPECT_EQ(AddFocusTarget(NewWindow()), E_OUTOFMEMORY);  // full
  EXPECT_EQ(SharedHookState.targets[5].box,
            FocusTargetBox(reinterpret_cast<HWND>(0x7FFE), session + 1));
}

TEST_F(FocusTargets, EntriesOfBandsThatEndedWithoutLeavingAreTakenOver) {
  for (int i = 0; i < kFocusTargetCount; ++i) ASSERT_EQ(AddFocusTarget(NewWindow()), S_OK);
  HWND gone = windows[7];
  DestroyWindow(gone);  // its process ended without taking its entry back
  HWND added = NewWindow();
  EXPECT_EQ(AddFocusTarget(added), S_OK);
  EXPECT_EQ(Newest(), added);
}

}  // namespace
}  // namespace corvane
