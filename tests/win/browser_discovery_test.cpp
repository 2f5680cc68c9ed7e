// Browser and home-page discovery against the real registry, environment and
// file system of the Wine prefix (each redirected to scratch places).
#include "search/browser_discovery.h"

#include <gtest/gtest.h>

#include "search/select_search_domain.h"
#include "support/memory.h"
#include "tests/support/win/test_support.h"

namespace corvane {
namespace {

using test::Narrow;
using test::ScratchFolder;
using test::ScratchRegistryRoot;
using test::SetRegistryText;
using test::SetRegistryValue;

const wchar_t kIeMain[] = L"SOFTWARE\\Microsoft\\Internet Explorer\\Main";
const char kHomePageLine[] = "user_pref(\"browser.startup.homepage\", \"";

std::wstring TakeText(wchar_t* text) {
  std::wstring copy = text == nullptr ? L"<none>" : text;
  FreeMemory(text);
  return copy;
}

struct DefaultBrowserCase {
  const wchar_t* verb;  // nullptr: no default value under http\shell
  const wchar_t* commandVerb;
  const wchar_t* command;
  BrowserKind expected;
};

TEST(DetectDefaultBrowser, ReadsTheHttpCommand) {
  const DefaultBrowserCase cases[] = {
      {nullptr, L"open", L"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome",
       kBrowserInternetExplorer},
      {L"", L"open", L"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -url \"%1\"",
       kBrowserFirefox},
      {L"browse", L"browse", L"C:\\PROGRA~1\\MOZILL~1\\FIREFOX.EXE -url \"%1\"", kBrowserFirefox},
      {L"browse", L"open", L"iexplore.exe", kBrowserNeither},
      {nullptr, L"open", L"C:\\Program Files\\Internet Explorer\\iexplore.exe", kBrowserNeither},
      {nullptr, L"open", L"\"C:\\Apps\\Viewer\\viewer.exe\" \"%1\"", kBrowserNeither},
      {nullptr, L"open", L"", kBrowserNeither},
      {nullptr, nullptr, nullptr, kBrowserNeither},
  };
  for (const DefaultBrowserCase& c : cases) {
    SCOPED_TRACE(Narrow(c.command));
    ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
    if (c.verb != nullptr) SetRegistryText(HKEY_CLASSES_ROOT, L"http\\shell", nullptr, c.verb);
    if (c.command != nullptr)
      SetRegistryText(HKEY_CLASSES_ROOT,
                      std::wstring(L"http\\shell\\") + c.commandVerb + L"\\command", nullptr,
                      c.command);
    EXPECT_EQ(DetectDefaultBrowser(), c.expected);
  }
}

TEST(DetectDefaultBrowser, CommandLongerThanTheReadLimitCountsAsNone) {
  ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
  std::wstring command = L"iexplore.exe " + std::wstring(2100, L'x');
  SetRegistryText(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr, command);
  EXPECT_EQ(DetectDefaultBrowser(), kBrowserNeither);
}

TEST(ReadIeStartPage, AcceptsOnlyPlainStrings) {
  const std::wstring page = L"http://www.google.de/";
  {
    ScratchRegistryRoot user(HKEY_CURRENT_USER);
    EXPECT_EQ(TakeText(ReadIeStartPage()), L"<none>");  // no key
    SetRegistryText(HKEY_CURRENT_USER, kIeMain, L"Other", page);
    EXPECT_EQ(TakeText(ReadIeStartPage()), L"<none>");  // no value
    SetRegistryText(HKEY_CURRENT_USER, kIeMain, L"Start Page", page);
    EXPECT_EQ(TakeText(ReadIeStartPage()), page);
    SetRegistryValue(HKEY_CURRENT_USER, kIeMain, L"Start Page", REG_EXPAND_SZ, page.c_str(),
                     static_cast<DWORD>((page.size() + 1) * 2));
    EXPECT_EQ(TakeText(ReadIeStartPage()), L"<none>");
    // Stored without its terminator, and with an odd byte count.
    SetRegistryValue(HKEY_CURRENT_USER, kIeMain, L"Start Page", REG_SZ, page.c_str(),
                     static_cast<DWORD>(page.size() * 2));
    EXPECT_EQ(TakeText(ReadIeStartPage()), page);
    SetRegistryValue(HKEY_CURRENT_USER, kIeMain, L"Start Page", REG_SZ, page.c_str(), 3);
    EXPECT_EQ(TakeText(ReadIeStartPage()), L"ht");  // the odd byte is kept
    SetRegistryValue(HKEY_CURRENT_USER, kIeMain, L"Start Page", REG_BINARY, page.c_str(), 8);
    EXPECT_EQ(TakeText(ReadIeStartPage()), L"<none>");
  }
}

class FirefoxProfile : public ::testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableW(L"APPDATA", appData.Path().c_str()); }
  void TearDown() override { SetEnvironmentVariableW(L"APPDATA", nullptr); }

  std::wstring MakeProfile(const std::wstring& name) {
    std::wstring folder = appData.Path();
    for (const wchar_t* part : {L"\\Mozilla", L"\\Firefox", L"\\Profiles"}) {
      folder += part;
      CreateDirectoryW(folder.c_str(), nullptr);
    }
    folder += L"\\" + name;
    test::MakeFolder(folder);
    return folder;
  }
  void WritePrefs(const std::wstring& profile, const std::string& bytes) {
    test::WriteBytes(profile + L"\\prefs.js", bytes);
  }

  ScratchFolder appData;
};

TEST_F(FirefoxProfile, ReadsTheHomePageLine) {
  std::wstring profile = MakeProfile(L"k3x9.default");
  WritePrefs(profile, std::string("// prefs\r\nuser_pref(\"a\", 1);\r\n") + kHomePageLine +
                          "http://www.google.co.uk/\");\r\n");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"http://www.google.co.uk/");
}

TEST_F(FirefoxProfile, WidensBytesAndRefusesOddLines) {
  std::wstring profile = MakeProfile(L"p.default");
  WritePrefs(profile, std::string(kHomePageLine) + "http://b\xC3\xBC/\");");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"http://b\u00C3\u00BC/");
  WritePrefs(profile, "user_pref(\"browser.startup.homepage\",  \"http://a/\");");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
  WritePrefs(profile, std::string(kHomePageLine) + "http://a b/\");");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
  WritePrefs(profile, "");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
  // A zero byte ends the text before the line.
  WritePrefs(profile, std::string("x\0", 2) + kHomePageLine + "http://a/\");");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
}

TEST_F(FirefoxProfile, MissingPiecesMeanNoHomePage) {
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");  // no profiles folder
  MakeProfile(L"x.default");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");  // no prefs.js
  SetEnvironmentVariableW(L"APPDATA", nullptr);
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
  std::wstring tooLong = appData.Path() + L"\\" + std::wstring(280, L'a');
  SetEnvironmentVariableW(L"APPDATA", tooLong.c_str());
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
}

TEST_F(FirefoxProfile, OtherProfilesAreNotRead) {
  std::wstring profile = MakeProfile(L"x.default-release");
  WritePrefs(profile, std::string(kHomePageLine) + "http://www.google.de/\");");
  EXPECT_EQ(TakeText(ReadFirefoxHomePage()), L"<none>");
}

// The whole chain: home page, then locale (en_DE in this test's
// environment), then "com".
TEST_F(FirefoxProfile, SelectSearchDomainFollowsTheChain) {
  ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  EXPECT_STREQ(SelectSearchDomain(), L"de");  // no browser known: locale

  SetRegistryText(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr,
                  L"\"C:\\Mozilla Firefox\\firefox.exe\" -url \"%1\"");
  std::wstring profile = MakeProfile(L"a.default");
  WritePrefs(profile, std::string(kHomePageLine) + "http://www.google.co.uk/\");");
  EXPECT_STREQ(SelectSearchDomain(), L"co.uk");
  WritePrefs(profile, std::string(kHomePageLine) + "http://www.example.org/\");");
  EXPECT_STREQ(SelectSearchDomain(), L"de");

  SetRegistryText(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr, L"iexplore.exe");
  SetRegistryText(HKEY_CURRENT_USER, kIeMain, L"Start Page", L"http://www.google.fr/");
  EXPECT_STREQ(SelectSearchDomain(), L"fr");
  SetRegistryText(HKEY_CURRENT_USER, kIeMain, L"Start Page", L"http://www.google.com.cu/");
  EXPECT_STREQ(SelectSearchDomain(), L"com.cu");
}

}  // namespace
}  // namespace corvane
