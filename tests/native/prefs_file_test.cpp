#include "search/prefs_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory.h"
#include "tests/support/native/failing_memory.h"

namespace corvane {
namespace {

const char kLine[] = "user_pref(\"browser.startup.homepage\", \"";

struct PrefsCase {
  std::string file;
  const char16_t* page;  // nullptr: none
};

TEST(HomePageFromPrefs, Table) {
  const std::string tail = "\");\n";
  const PrefsCase cases[] = {
      {std::string("# Mozilla\n") + kLine + "http://www.google.de/" + tail,
       u"http://www.google.de/"},
      {"user_pref(\"browser.startup.homepage\",  \"http://a/\");", nullptr},
      {"user_pref(\"browser.startup.homepage\",\"http://a/\");", nullptr},
      {"user_pref( \"browser.startup.homepage\", \"http://a/\");", nullptr},
      {std::string(kLine) + "http://a/\")", nullptr},
      {std::string(kLine) + "http://a/", nullptr},
      {std::string(kLine) + "http://a b/" + tail, nullptr},
      {std::string(kLine) + "http://a\tb/" + tail, nullptr},
      {std::string(kLine) + "http://a\x01/" + tail, nullptr},
      {std::string(kLine) + "\x21\x7F" + tail, u"\x21\x7F"},
      {std::string(kLine) + "\xC3\xBC\xFF" + tail, u"\u00C3\u00BC\u00FF"},
      {std::string(kLine) + tail, u""},
      {std::string(kLine) + "first" + tail + kLine + "second" + tail, u"first"},
      {std::string(kLine) + "a\\\"b" + tail, u"a\\\"b"},
      {"", nullptr},
  };
  for (const PrefsCase& c : cases) {
    SCOPED_TRACE(c.file);
    char16_t* page = HomePageFromPrefs(c.file.c_str());
    if (c.page == nullptr) {
      EXPECT_EQ(page, nullptr);
    } else {
      ASSERT_NE(page, nullptr);
      EXPECT_EQ(std::u16string(page), c.page);
    }
    FreeMemory(page);
  }
}

TEST(HomePageFromPrefs, FailuresFreeWhatTheyTook) {
  test::ResetAllocationCounters();
  std::string file = std::string(kLine) + "a b" + "\");";
  EXPECT_EQ(HomePageFromPrefs(file.c_str()), nullptr);
  test::FailAllocationAfter(0);
  file = std::string(kLine) + "ab" + "\");";
  EXPECT_EQ(HomePageFromPrefs(file.c_str()), nullptr);
  EXPECT_EQ(test::LiveAllocations(), 0);
}

}  // namespace
}  // namespace corvane
