// Engine addresses, typed addresses and keywords: what a query opens.
#include <gtest/gtest.h>

#include <string>

#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/typed_address.h"
#include "support/memory.h"
#include "tests/support/native/failing_memory.h"

namespace corvane {
namespace {

std::string Narrow(const char16_t* units) {
  std::string text;
  for (; *units != 0; ++units) text += *units < 0x80 ? static_cast<char>(*units) : '?';
  return text;
}

// The address built, or "<failed>" / "<nothing>".
template <class Build>
std::string Built(Build build) {
  char16_t* address = reinterpret_cast<char16_t*>(1);
  AddressResult result = build(&address);
  UniqueMemory<char16_t> owned(address);
  if (result == AddressResult::kFailed) return address == nullptr ? "<failed>" : "<leak>";
  if (result == AddressResult::kNothingToSearch) return address == nullptr ? "<nothing>" : "<leak>";
  return Narrow(address);
}

std::string Engine(const char* engine, const char* query) {
  return Built([&](char16_t** out) { return BuildEngineAddress(engine, query, out); });
}

std::string Typed(const char* text) {
  return Built([&](char16_t** out) { return BuildTypedAddress(text, out); });
}

TEST(EngineTemplate, ChecksWhatMayBeOpened) {
  const struct {
    const char* engine;
    TemplateCheck check;
  } cases[] = {
      {"https://www.bing.com/search?q={searchTerms}", TemplateCheck::kUsable},
      {"HTTP://example.org/?q=%s", TemplateCheck::kUsable},
      {"https://example.org/{searchTerms}/%s", TemplateCheck::kUsable},
      {"https://example.org/search", TemplateCheck::kNoPlaceholder},
      {"https://example.org/?q={searchterms}", TemplateCheck::kNoPlaceholder},
      {"https://{searchTerms}.example.org/", TemplateCheck::kPlaceholderInServer},
      {"https://%s", TemplateCheck::kPlaceholderInServer},
      {"https:///?q=%s", TemplateCheck::kNotWeb},
      {"https://", TemplateCheck::kNotWeb},
      {"file:///C:/Windows/notepad.exe?%s", TemplateCheck::kNotWeb},
      {"javascript:alert('{searchTerms}')", TemplateCheck::kNotWeb},
      {"C:\\Windows\\System32\\calc.exe %s", TemplateCheck::kNotWeb},
      {" https://example.org/?q=%s", TemplateCheck::kNotWeb},
      {"ftp://example.org/%s", TemplateCheck::kNotWeb},
      {"", TemplateCheck::kNotWeb},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckEngineTemplate(c.engine), c.check) << c.engine;
}

TEST(EngineTemplate, PutsTheEncodedQueryAtEachPlace) {
  const struct {
    const char* engine;
    const char* query;
    const char* address;
  } cases[] = {
      {"https://www.bing.com/search?q={searchTerms}", "C++ \xC3\xBC",
       "https://www.bing.com/search?q=C%2B%2B+%C3%BC"},
      {"https://duckduckgo.com/?q=%s&ia=web", "a b", "https://duckduckgo.com/?q=a+b&ia=web"},
      // "{searchTerms}" wins: a "%s" beside it is the address's own text.
      {"https://e.org/{searchTerms}?x=%s", "q", "https://e.org/q?x=%s"},
      {"https://e.org/%s/%s", "q", "https://e.org/q/q"},
      // What could break out of a browser's command line is escaped.
      {"https://e.org/?a=\"b c\"&q=%s", "q", "https://e.org/?a=%22b%20c%22&q=q"},
      {"https://e.org/\xC3\xA9/?q=%s", "x", "https://e.org/%C3%A9/?q=x"},
      {"https://e.org/?q=%s", "\r\n", "<nothing>"},
      {"https://e.org/?q=%s", "", "<nothing>"},
      {"file:///c:/x?%s", "q", "<failed>"},
      {"https://%s/", "q", "<failed>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Engine(c.engine, c.query), c.address) << c.engine;
}

TEST(EngineTemplate, FailedAllocationBuildsNothing) {
  test::FailAllocationAfter(0);
  EXPECT_EQ(Engine("https://e.org/?q=%s", "q"), "<failed>");
  test::FailAllocationAfter(-1);
}

TEST(TypedAddress, OpensOnlyWhatIsPlainlyAWebAddress) {
  const struct {
    const char* typed;
    const char* opened;  // null: searched for
  } cases[] = {
      {"https://example.org/a?b=c#d", "https://example.org/a?b=c#d"},
      {"HTTP://Example.org", "HTTP://Example.org"},
      {"www.example.org", "https://www.example.org"},
      {"WWW.example.org/x", "https://WWW.example.org/x"},
      {"https://example.org/\"-x", "https://example.org/%22-x"},
      {"www.m\xC3\xBCller.de", "https://www.m%C3%BCller.de"},
      {"https://example.org/a b", nullptr},
      {"www.example.org\tx", nullptr},
      {"www.example.org\xE3\x80\x80x", nullptr},  // an ideographic space
      {"www.example.org\xC2\xA0", nullptr},       // a no-break space
      {"https://", nullptr},
      {"https:///path", nullptr},
      {"www.", nullptr},
      {"wwwexample.org", nullptr},
      {"example.org", nullptr},
      {"file:///C:/Windows/notepad.exe", nullptr},
      {"javascript:alert(1)", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTypedWebAddress(c.typed), c.opened != nullptr) << c.typed;
    EXPECT_EQ(Typed(c.typed), c.opened != nullptr ? c.opened : "<failed>") << c.typed;
  }
}

TEST(KeywordQuery, SplitsTheFirstWordFromWhatFollows) {
  const struct {
    const char16_t* query;
    std::size_t keywordLength;  // 0: no keyword
    const char16_t* rest;
  } cases[] = {
      {u"w berlin", 1, u"berlin"},
      {u"wiki   new york ", 4, u"new york "},
      {u"\u00FC\u00DF x", 2, u"x"},
      {u"w", 0, nullptr},
      {u"w ", 0, nullptr},
      {u"w  \r\n", 0, nullptr},
      {u" w berlin", 0, nullptr},
      {u"w\tberlin", 0, nullptr},
      {u"w\r\nberlin x", 0, nullptr},
      {u"", 0, nullptr},
  };
  for (const auto& c : cases) {
    KeywordQuery split = {99, nullptr};
    bool found = SplitKeywordQuery(c.query, &split);
    EXPECT_EQ(found, c.keywordLength != 0);
    if (found) {
      EXPECT_EQ(split.keywordLength, c.keywordLength);
      EXPECT_EQ(std::u16string(split.rest), c.rest);
    }
  }
  std::u16string longest(kMaxKeywordLength, u'k');
  KeywordQuery split = {};
  EXPECT_TRUE(SplitKeywordQuery((longest + u" q").c_str(), &split));
  EXPECT_FALSE(SplitKeywordQuery((longest + u"k q").c_str(), &split));
}

}  // namespace
}  // namespace corvane
