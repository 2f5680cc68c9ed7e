#include "program/engine_checks.h"

#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "support/ascii_text.h"

namespace corvane::program {
namespace {

bool IsBlank(const char16_t* text) {
  for (; *text != 0; ++text)
    if (*text != u' ' && *text != u'\t') return false;
  return true;
}

bool IsOneWord(const char16_t* keyword) {
  std::size_t length = 0;
  for (; keyword[length] != 0; ++length)
    if (keyword[length] <= u' ') return false;
  return length <= kMaxKeywordLength;
}

}  // namespace

EngineProblem CheckUserEngine(const char16_t* name, const char16_t* keyword,
                              const char* utf8Address, const char16_t* const* otherKeywords,
                              std::size_t otherCount) {
  if (IsBlank(name)) return EngineProblem::kNoName;
  if (keyword[0] == 0) return EngineProblem::kNoKeyword;
  if (!IsOneWord(keyword)) return EngineProblem::kKeywordNotOneWord;
  for (std::size_t i = 0; i < otherCount; ++i)
    if (EqualsIgnoringAsciiCase(keyword, otherKeywords[i])) return EngineProblem::kKeywordTaken;
  switch (CheckEngineTemplate(utf8Address)) {
    case TemplateCheck::kUsable:
      return EngineProblem::kNone;
    case TemplateCheck::kNotWeb:
      return EngineProblem::kAddressNotWeb;
    case TemplateCheck::kNoPlaceholder:
      return EngineProblem::kAddressWithoutPlace;
    case TemplateCheck::kPlaceholderInServer:
      return EngineProblem::kPlaceInServer;
  }
  return EngineProblem::kAddressNotWeb;
}

}  // namespace corvane::program
