// Launches through the real ShellExecuteW of the Wine prefix. The https
// handler is the URL recorder, never a browser; the locale is de_DE.
#include "search/launch_web_search.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory.h"
#include "tests/support/win/test_support.h"

namespace corvane {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::ScratchRegistryRoot;
using test::WaitForLine;

const std::string kPrefix = "https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=";

class LaunchWebSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { test::RegisterRecorder(urlLog); }
  void TearDown() override { SetEnvironmentVariableW(L"CORVANE_URL_LOG", nullptr); }

  ScratchRegistryRoot classes{HKEY_CLASSES_ROOT};
  ScratchRegistryRoot user{HKEY_CURRENT_USER};
  ScratchFolder folder;
  std::wstring urlLog = folder.Child(L"urls.log");
};

TEST_F(LaunchWebSearchTest, OpensTheExactAddress) {
  EXPECT_EQ(LaunchWebSearch(nullptr, L"C++ \u00FC \u20AC a\r\nb", 1), kLaunchOpened);
  EXPECT_EQ(WaitForLine(urlLog), kPrefix + "C%2B%2B+%C3%BC+%E2%82%AC+ab\n");
}

TEST_F(LaunchWebSearchTest, LongQueryIsLaunchedWhole) {
  std::wstring query;
  std::string encoded;
  for (int i = 0; i < 100; ++i) {
    query += L"ab\u00E9 ";
    encoded += "ab%C3%A9+";
  }
  EXPECT_EQ(LaunchWebSearch(nullptr, query.c_str(), 1), kLaunchOpened);
  EXPECT_EQ(WaitForLine(urlLog), kPrefix + encoded + "\n");
}

TEST_F(LaunchWebSearchTest, NothingToSearchOpensNothing) {
  EXPECT_EQ(LaunchWebSearch(nullptr, L"", 1), kLaunchNothingToSearch);
  EXPECT_EQ(LaunchWebSearch(nullptr, L"\r\n\n", 1), kLaunchNothingToSearch);
  EXPECT_EQ(LaunchWebSearch(nullptr, L"query", 0), kLaunchFailed);
  EXPECT_EQ(LaunchWebSearch(nullptr, L"query", 2), kLaunchFailed);
  EXPECT_EQ(LaunchWebSearch(nullptr, nullptr, 1), kLaunchFailed);
  // A later real search is the only line the recorder ever saw.
  EXPECT_EQ(LaunchWebSearch(nullptr, L"x", 1), kLaunchOpened);
  EXPECT_EQ(WaitForLine(urlLog), kPrefix + "x\n");
}

TEST(LaunchWebSearch, RefusalByTheShellIsFailure) {
  ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
  test::SetRegistryText(HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", nullptr,
                        L"\"C:\\no\\such\\program.exe\" \"%1\"");
  EXPECT_EQ(LaunchWebSearch(nullptr, L"query", 1), kLaunchFailed);
}

TEST(ToUtf8, ConvertsAndReportsFailure) {
  char* out = reinterpret_cast<char*>(1);
  EXPECT_EQ(ToUtf8(L"a\u00FC\u20AC", &out), 1);
  ASSERT_NE(out, nullptr);
  EXPECT_STREQ(out, "a\xC3\xBC\xE2\x82\xAC");
  FreeMemory(out);
  EXPECT_EQ(ToUtf8(L"", &out), 1);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out[0], 0);
  FreeMemory(out);
  EXPECT_EQ(ToUtf8(L"a", nullptr), 0);
  out = reinterpret_cast<char*>(1);
  EXPECT_EQ(ToUtf8(nullptr, &out), 0);
  EXPECT_EQ(out, nullptr);
}

}  // namespace
}  // namespace corvane
