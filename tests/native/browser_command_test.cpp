#include "search/browser_command.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

struct TokenCase {
  const char16_t* commandLine;
  bool complete;
  const char16_t* token;
  const char16_t* fileName;
  BrowserKind browser;
};

TEST(BrowserCommand, Tokenizer) {
  const TokenCase cases[] = {
      {u"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome", true,
       u"C:\\Program Files\\Internet Explorer\\iexplore.exe", u"iexplore.exe",
       kBrowserInternetExplorer},
      {u"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -url \"%1\"", true,
       u"C:\\Program Files\\Mozilla Firefox\\firefox.exe", u"firefox.exe", kBrowserFirefox},
      {u"C:\\PROGRA~1\\MOZILL~1\\FIREFOX.EXE -url \"%1\"", true,
       u"C:\\PROGRA~1\\MOZILL~1\\FIREFOX.EXE", u"FIREFOX.EXE", kBrowserFirefox},
      {u"iexplore.exe", true, u"iexplore.exe", u"iexplore.exe", kBrowserInternetExplorer},
      {u"C:\\Program Files\\Internet Explorer\\iexplore.exe", true, u"C:\\Program", u"Program",
       kBrowserNeither},
      {u"\"C:\\Program Files\\Internet Explorer\\iexplore.exe -nohome", false, nullptr, nullptr,
       kBrowserNeither},
      {u"\"C:\\Apps\\Viewer\\viewer.exe\" \"%1\"", true, u"C:\\Apps\\Viewer\\viewer.exe",
       u"viewer.exe", kBrowserNeither},
      {u" iexplore.exe", true, u"", u"", kBrowserNeither},
      {u"iexplore.exe\t-nohome", true, u"iexplore.exe\t-nohome", u"iexplore.exe\t-nohome",
       kBrowserNeither},
      {u"", true, u"", u"", kBrowserNeither},
      {u"\"C:\\x\\\"iexplore.exe\"", true, u"C:\\x\"iexplore.exe", u"x\"iexplore.exe",
       kBrowserNeither},
      {u"C:/Apps/firefox.exe", true, u"C:/Apps/firefox.exe", u"C:/Apps/firefox.exe",
       kBrowserNeither},
      {u"a\\\"b c\"", true, u"a\"b", u"a\"b", kBrowserNeither},
      {u"\"\"firefox.exe", true, u"firefox.exe", u"firefox.exe", kBrowserFirefox},
  };
  for (const TokenCase& c : cases) {
    std::u16string line(c.commandLine);
    SCOPED_TRACE(std::string(line.begin(), line.end()));
    char16_t token[kCommandTokenCapacity] = {};
    std::size_t nameStart = 99;
    bool complete = FirstCommandToken(c.commandLine, token, kCommandTokenCapacity, &nameStart);
    EXPECT_EQ(complete, c.complete);
    if (c.complete) {
      EXPECT_EQ(std::u16string(token), c.token);
      EXPECT_EQ(std::u16string(token + nameStart), c.fileName);
    }
    EXPECT_EQ(BrowserKindFromCommandLine(c.commandLine), c.browser);
  }
}

TEST(BrowserCommand, TokenLongerThanItsBufferIsRefused) {
  std::u16string line(kCommandTokenCapacity, u'a');
  EXPECT_EQ(BrowserKindFromCommandLine(line.c_str()), kBrowserNeither);
  char16_t token[4];
  std::size_t nameStart = 0;
  EXPECT_FALSE(FirstCommandToken(u"abcd", token, 4, &nameStart));
  EXPECT_TRUE(FirstCommandToken(u"abc", token, 4, &nameStart));
  EXPECT_EQ(std::u16string(token), u"abc");
}

}  // namespace
}  // namespace corvane
