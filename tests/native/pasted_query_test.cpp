// What was copied, made one line of the box's length.
#include "search/pasted_query.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::u16string Pasted(const std::u16string& copied, std::size_t limit) {
  std::u16string query(limit + 2, u'#');
  const std::size_t units = PastedQuery(copied.c_str(), copied.size(), &query[0], limit);
  EXPECT_EQ(query[units], u'\0');
  EXPECT_EQ(query[limit + 1], u'#') << "written past the buffer";
  return query.substr(0, units);
}

TEST(PastedQuery, OneTrimmedLineOfTheBoxsLength) {
  const struct {
    const char* what;
    std::u16string copied;
    std::size_t limit;
    std::u16string query;
  } cases[] = {
      {"lines of a page", u"  https://example.org/a\r\n\tsecond line\n", 100,
       u"https://example.org/a second line"},
      {"runs of spaces", u"a   b\t\tc \u2028 d", 100, u"a b c d"},
      {"spaces only", u" \r\n\t ", 100, u""},
      {"nothing", u"", 100, u""},
      {"stops at its terminator", std::u16string(u"word\0hidden", 11), 100, u"word"},
      {"cut at the limit", u"abcdef", 4, u"abcd"},
      // A space the cut would end with is not kept.
      {"cut after a word", u"abc def", 4, u"abc"},
      // A pair is kept whole or left out.
      {"cut before a pair", u"ab\U0001F600", 3, u"ab"},
      {"pair that fits", u"ab\U0001F600", 4, u"ab\U0001F600"},
      {"lone surrogate passed on", u"a\xD83D b", 10, u"a\xD83D b"},
      {"controls and separators", u"a\u0085b\u007Fc\u2029d", 10, u"a b c d"},
      {"limit zero", u"abc", 0, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(Pasted(c.copied, c.limit), c.query) << c.what;
}

}  // namespace
}  // namespace corvane
