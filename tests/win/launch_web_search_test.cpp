// Launches through the real ShellExecuteW of the Wine prefix. The https
// handler is the URL recorder, never a browser; the locale is en_DE (country Germany).
#include "search/launch_web_search.h"

#include <gtest/gtest.h>

#include <string>

#include "res/product.h"
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

// The user's engines, as users and administrators store them: what each
// query opens, one search at a time through the shell.
TEST_F(LaunchWebSearchTest, OpensTheUsersEnginesAndTypedAddresses) {
  const struct {
    const wchar_t* searchAddress;  // null: absent
    const wchar_t* query;
    std::string opened;
  } cases[] = {
      {L"https://www.bing.com/search?q={searchTerms}", L"C++ \u00FC",
       "https://www.bing.com/search?q=C%2B%2B+%C3%BC"},
      {L"https://duckduckgo.com/?q=%s", L"w berlin", "https://wiki.example/w/berlin?x=1"},
      {nullptr, L"W  new york", "https://wiki.example/w/new+york?x=1"},
      {nullptr, L"wx berlin", kPrefix + "wx+berlin"},  // not a keyword
      {nullptr, L"www.example.org/a", "https://www.example.org/a"},
      {nullptr, L"http://example.org/\"x\"", "http://example.org/%22x%22"},
      // Refused, and searched as if absent: never a file, a program, a script.
      {L"C:\\Windows\\System32\\calc.exe %s", L"q", kPrefix + "q"},
      {L"javascript:alert('{searchTerms}')", L"q", kPrefix + "q"},
      {L"file:///C:/Windows/win.ini?%s", L"q", kPrefix + "q"},
      {L"https://example.org/no-place", L"q", kPrefix + "q"},
      {L"", L"q", kPrefix + "q"},
      {nullptr, L"bad q", kPrefix + "bad+q"},
      {L"https://duckduckgo.com/?q=%s", L"bad q", "https://duckduckgo.com/?q=bad+q"},
  };
  const std::wstring keywords = test::Below(kSettingsKey, kKeywordsKey);
  test::SetRegistryText(HKEY_CURRENT_USER, keywords, L"w",
                        L"https://wiki.example/w/{searchTerms}?x=1");
  test::SetRegistryText(HKEY_CURRENT_USER, keywords, L"bad", L"notepad.exe %s");
  std::string opened;  // one line per search, in order
  for (const auto& c : cases) {
    HKEY settings = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &settings, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueW(settings, kSearchAddressValue);
    RegCloseKey(settings);
    if (c.searchAddress != nullptr)
      test::SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue, c.searchAddress);
    EXPECT_EQ(LaunchWebSearch(nullptr, c.query, 1), kLaunchOpened) << c.opened;
    opened += c.opened + "\n";
    EXPECT_TRUE(test::WaitForText(urlLog, opened)) << c.opened;
    EXPECT_EQ(ReadBytes(urlLog), opened);
  }
}

// An organisation's engine, through the shell: the machine's policy over
// the user's own default and keyword.
TEST_F(LaunchWebSearchTest, AMachinePolicysEngineWins) {
  ScratchRegistryRoot machine(HKEY_LOCAL_MACHINE);
  test::SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue,
                        L"https://user.example/?q=%s");
  test::SetRegistryText(HKEY_CURRENT_USER, test::Below(kSettingsKey, kKeywordsKey), L"w",
                        L"https://user.example/w?q=%s");
  test::SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSearchAddressValue,
                        L"https://intranet.example/?q=%s");
  test::SetRegistryText(HKEY_LOCAL_MACHINE, test::Below(kPolicyKey, kKeywordsKey), L"w",
                        L"https://intranet.example/w?q=%s");
  EXPECT_EQ(LaunchWebSearch(nullptr, L"a b", 1), kLaunchOpened);
  EXPECT_EQ(WaitForLine(urlLog), "https://intranet.example/?q=a+b\n");
  EXPECT_EQ(LaunchWebSearch(nullptr, L"w c", 1), kLaunchOpened);
  EXPECT_TRUE(test::WaitForText(urlLog,
                                "https://intranet.example/?q=a+b\n"
                                "https://intranet.example/w?q=c\n"));
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
