// What the settings window refuses in an engine of the user's.
#include "program/engine_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::program {
namespace {

TEST(CheckUserEngine, NamesWhatIsWrong) {
  const char16_t* const others[] = {u"wiki", u"g"};
  const std::u16string longest(63, u'k');
  const std::u16string tooLong(64, u'k');
  const struct {
    const char16_t* name;
    const char16_t* keyword;
    const char* address;
    EngineProblem problem;
  } cases[] = {
      {u"Maps", u"m", "https://maps.example/?q={searchTerms}", EngineProblem::kNone},
      {u"Maps", longest.c_str(), "https://maps.example/?q=%s", EngineProblem::kNone},
      {u" \t", u"m", "https://maps.example/?q=%s", EngineProblem::kNoName},
      {u"Maps", u"", "https://maps.example/?q=%s", EngineProblem::kNoKeyword},
      {u"Maps", u"m x", "https://maps.example/?q=%s", EngineProblem::kKeywordNotOneWord},
      {u"Maps", tooLong.c_str(), "https://maps.example/?q=%s", EngineProblem::kKeywordNotOneWord},
      {u"Maps", u"WIKI", "https://maps.example/?q=%s", EngineProblem::kKeywordTaken},
      {u"Maps", u"m", "maps.example/?q=%s", EngineProblem::kAddressNotWeb},
      {u"Maps", u"m", "https://maps.example/", EngineProblem::kAddressWithoutPlace},
      {u"Maps", u"m", "https://{searchTerms}.example/", EngineProblem::kPlaceInServer},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckUserEngine(c.name, c.keyword, c.address, others, 2), c.problem) << c.address;
}

}  // namespace
}  // namespace corvane::program
