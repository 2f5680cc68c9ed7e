// Country code texts of any shape: the conversion never overflows and a
// suffix comes only from a row with that code.
#include <cstdlib>

#include "search/country_domains.h"
#include "search/domain_matching.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text = corvane::fuzzing::Units(data, size);
  std::int32_t code = corvane::ParseDecimal(text.c_str());
  const char16_t* suffix = corvane::DomainFromCountryCodeText(text.c_str());
  if (suffix != nullptr && suffix != corvane::DomainFromCountryCode(code)) std::abort();
  return 0;
}
