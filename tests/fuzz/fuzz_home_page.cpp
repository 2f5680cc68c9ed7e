// Home pages of any shape: a suffix, when found, is always one of the
// tables' own texts.
#include <cstdlib>

#include "search/country_domains.h"
#include "search/domain_matching.h"
#include "tests/support/fuzz/fuzz_input.h"

static bool IsTableText(const char16_t* suffix) {
  for (const auto& row : corvane::CountryDomainTable)
    if (suffix == row.suffix) return true;
  for (const char16_t* extra : corvane::ExtraDomainSuffixes)
    if (suffix == extra) return true;
  return false;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string page = corvane::fuzzing::Units(data, size);
  const char16_t* suffix = corvane::DomainFromHomePage(page.data());
  if (suffix != nullptr && !IsTableText(suffix)) std::abort();
  return 0;
}
