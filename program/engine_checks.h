// What the settings window refuses in an engine of the user's, each with a
// message that says what is wrong.
#pragma once
#include <cstddef>

namespace corvane::program {

enum class EngineProblem {
  kNone,
  kNoName,
  kNoKeyword,
  kKeywordNotOneWord,  // spaces, or longer than a keyword may be
  kKeywordTaken,       // another engine of the user's has it
  kAddressNotWeb,
  kAddressWithoutPlace,
  kPlaceInServer,
};

// `name` and `keyword` as typed, `utf8Address` as typed converted to UTF-8;
// `otherKeywords` are the keywords of the user's other engines (compared
// ignoring ASCII case, as the registry compares value names).
EngineProblem CheckUserEngine(const char16_t* name, const char16_t* keyword,
                              const char* utf8Address, const char16_t* const* otherKeywords,
                              std::size_t otherCount);

}  // namespace corvane::program
