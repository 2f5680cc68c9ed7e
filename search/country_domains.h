// The search service's host and the country suffixes it is reached under.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvane {

struct CountryDomain {
  char16_t suffix[8];
  std::int32_t code;  // the locale's country code (mostly the dialling code)
};

constexpr std::size_t kCountryDomainCount = 59;
constexpr std::size_t kExtraDomainSuffixCount = 34;

// Searched in order; the first match wins (41 is "ch", never "li").
extern const CountryDomain CountryDomainTable[kCountryDomainCount];
// Accepted from a home page only: they carry no country code.
extern const char16_t* const ExtraDomainSuffixes[kExtraDomainSuffixCount];

extern const char16_t kFallbackSuffix[];  // "com"

// The service's domain label with its dot; the host below ends with it, so a
// home page is recognised by the same name that searches go to.
extern const char16_t SearchServiceLabel[];
constexpr std::size_t kSearchServiceLabelLength = 7;

// The whole address up to the encoded query (https, the host with "%s" for
// the suffix, the path).
extern const char16_t kSearchAddressTemplate[];

}  // namespace corvane
