#include "search/domain_matching.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "search/country_domains.h"

namespace corvane {
namespace {

const char16_t* Suffix(std::u16string page) { return DomainFromHomePage(page.data()); }

struct HomePageCase {
  const char16_t* before;
  const char16_t* after;
  const char16_t* expected;  // nullptr: none
};

TEST(DomainFromHomePage, Table) {
  const HomePageCase cases[] = {
      {u"http://www.", u"co.uk/", u"co.uk"},
      {u"HTTP://WWW.", u"DE", u"de"},
      {u"www.", u"fr.", u"fr"},
      {u"", u"com.py/x", u"com.py"},
      {u"http://www.", u"com.cu/", u"com.cu"},
      {u"https://www.", u"de/", nullptr},
      {u"http://www.", u"de:80/", nullptr},
      {u"http://www.", u"de?x=1", nullptr},
      {u"http://www.", u"de..", nullptr},
      {u"http://images.", u"de", nullptr},
      {u"http://www.", u"", nullptr},
      {u"http://www.www.", u"de", nullptr},
      {u"http://", u"vg/search", u"vg"},
  };
  for (const HomePageCase& c : cases) {
    std::u16string label =
        c.before == std::u16string(u"HTTP://WWW.") ? u"GOOGLE." : SearchServiceLabel;
    std::u16string page = std::u16string(c.before) + label + c.after;
    const char16_t* got = Suffix(page);
    if (c.expected == nullptr) {
      EXPECT_EQ(got, nullptr) << std::string(page.begin(), page.end());
    } else {
      ASSERT_NE(got, nullptr) << std::string(page.begin(), page.end());
      EXPECT_EQ(std::u16string(got), c.expected);
    }
  }
  EXPECT_EQ(Suffix(u""), nullptr);
  EXPECT_EQ(DomainFromHomePage(nullptr), nullptr);
}

TEST(DomainFromHomePage, AnswersFromTheTablesNotFromThePage) {
  // "fr", "co.hu" and "com.py" stand in both tables: the country table wins.
  EXPECT_EQ(Suffix(u"google.fr"), CountryDomainTable[18].suffix);
  EXPECT_EQ(Suffix(u"google.co.hu"), CountryDomainTable[22].suffix);
  EXPECT_EQ(Suffix(u"google.com.py"), CountryDomainTable[45].suffix);
  EXPECT_EQ(Suffix(u"www.google.com.cu"), ExtraDomainSuffixes[4]);
  EXPECT_EQ(Suffix(u"www.google.vg"), ExtraDomainSuffixes[33]);
}

TEST(DomainFromHomePage, CutsThePageInPlace) {
  std::u16string page = u"http://www.google.de./path";
  DomainFromHomePage(page.data());
  EXPECT_EQ(std::u16string(page.c_str()), u"http://www.google.de");
}

TEST(DomainFromCountryCodeText, LocaleCodes) {
  const std::map<std::u16string, const char16_t*> cases = {
      {u"41", u"ch"},  {u"1", u"com"},  {u"2", u"ca"},     {u"7", u"ru"},     {u"44", u"co.uk"},
      {u" 49", u"de"}, {u"+49", u"de"}, {u"49x", u"de"},   {u"27", u"co.za"}, {u"999", nullptr},
      {u"0", nullptr}, {u"", nullptr},  {u"-49", nullptr}, {u"x49", nullptr}, {u"00041", u"ch"},
  };
  for (const auto& [text, expected] : cases) {
    const char16_t* got = DomainFromCountryCodeText(text.c_str());
    if (expected == nullptr) {
      EXPECT_EQ(got, nullptr) << std::string(text.begin(), text.end());
    } else {
      ASSERT_NE(got, nullptr) << std::string(text.begin(), text.end());
      EXPECT_EQ(std::u16string(got), expected);
    }
  }
  EXPECT_EQ(DomainFromCountryCode(41), CountryDomainTable[9].suffix);
}

TEST(ParseDecimal, SaturatesLikeTheCLibrary) {
  EXPECT_EQ(ParseDecimal(u"99999999999"), INT32_MAX);
  EXPECT_EQ(ParseDecimal(u"-99999999999"), INT32_MIN);
  EXPECT_EQ(ParseDecimal(u"\t\n 12 3"), 12);
  EXPECT_EQ(ParseDecimal(u"+-1"), 0);
}

TEST(CountryTables, ShapeAndOrder) {
  std::map<std::int32_t, int> codes;
  for (const CountryDomain& row : CountryDomainTable) {
    std::u16string suffix(row.suffix);
    EXPECT_GE(suffix.size(), 2u);
    EXPECT_LE(suffix.size(), 7u);
    for (char16_t u : suffix) EXPECT_TRUE((u >= u'a' && u <= u'z') || u == u'.');
    ++codes[row.code];
  }
  EXPECT_EQ(codes.size(), kCountryDomainCount - 1);  // 41 twice, all else once
  EXPECT_EQ(codes[41], 2);
  EXPECT_EQ(std::u16string(CountryDomainTable[0].suffix), u"com");
  EXPECT_EQ(std::u16string(CountryDomainTable[58].suffix), u"co.za");
  EXPECT_EQ(std::u16string(CountryDomainTable[29].suffix), u"li");
  EXPECT_EQ(std::u16string(ExtraDomainSuffixes[0]), u"as");
  EXPECT_EQ(std::u16string(ExtraDomainSuffixes[13]), u"co.hu");
}

}  // namespace
}  // namespace corvane
