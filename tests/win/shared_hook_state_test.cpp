// The hook's shared words: one copy for every process that loads the DLL,
// and the removal that never takes another band's hook.
#include "ui/shared_hook_state.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/win/test_support.h"

using corvane::testing::SharedWordsOf;

namespace corvane {
namespace {

std::wstring DllPath() { return testing::ProgramFolder() + L"\\CORVANE.DLL"; }

// Runs this program again as a reader; its exit code is what it saw.
DWORD RunReader(const std::wstring& expectedText) {
  wchar_t program[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(program) +
                         L"\" --gtest_filter=SharedHookStateReader.* --gtest_also_run_disabled_tests";
  SetEnvironmentVariableW(L"CORVANE_EXPECTED_HINT_EDIT", expectedText.c_str());
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return 1000;
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 1001;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST(SharedHookState, SeenByAnotherProcess) {
  HMODULE dll = LoadLibraryW(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  SharedHookState* words = SharedWordsOf(dll);
  ASSERT_NE(words, nullptr);
  HWND written = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x5A17C0DE));
  words->hookHintEdit = written;
  EXPECT_EQ(RunReader(std::to_wstring(reinterpret_cast<ULONG_PTR>(written))), 0u);
  words->hookHintEdit = nullptr;
  FreeLibrary(dll);
}

// Started by SeenByAnotherProcess only.
TEST(SharedHookStateReader, DISABLED_ReadsTheWordsOfTheWriter) {
  wchar_t expected[32] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"CORVANE_EXPECTED_HINT_EDIT", expected, 32), 0u);
  HMODULE dll = LoadLibraryW(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  SharedHookState* words = SharedWordsOf(dll);
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(std::to_wstring(reinterpret_cast<ULONG_PTR>(words->hookHintEdit)), expected);
}

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK InstallTestHook() {
  return SetWindowsHookExW(WH_KEYBOARD, PassOn, nullptr, GetCurrentThreadId());
}

TEST(RemoveFocusHotkey, NothingInstalledDoesNothing) {
  sharedHookState = {};
  RemoveFocusHotkey(nullptr);
  EXPECT_EQ(sharedHookState.hookHandle, nullptr);
  EXPECT_EQ(sharedHookState.hookHintEdit, nullptr);
}

TEST(RemoveFocusHotkey, RemovesOnlyItsOwnHook) {
  HWND hint = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
  HHOOK first = InstallTestHook();
  HHOOK second = InstallTestHook();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  sharedHookState = {second, hint};  // the second installed last

  RemoveFocusHotkey(first);  // an earlier band goes: the last one's stays
  EXPECT_EQ(sharedHookState.hookHandle, second);
  EXPECT_FALSE(UnhookWindowsHookEx(first));  // already removed

  RemoveFocusHotkey(second);
  EXPECT_EQ(sharedHookState.hookHandle, nullptr);
  EXPECT_EQ(sharedHookState.hookHintEdit, hint);
  EXPECT_FALSE(UnhookWindowsHookEx(second));
}

}  // namespace
}  // namespace corvane
