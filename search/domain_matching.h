// Choosing a country suffix from a home-page address or a country code.
// Every suffix returned points into the constant tables, never into the text
// it was derived from; nullptr means none.
#pragma once
#include <cstdint>

namespace corvane {

// Accepts "[http://][www.]google.<suffix>[/...]" with one optional trailing
// dot. Writes terminators into `page` while cutting it.
const char16_t* DomainFromHomePage(char16_t* page);

// First row of the country table with this code.
const char16_t* DomainFromCountryCode(std::int32_t code);

// The locale's country code as decimal text (as the platform reports it).
const char16_t* DomainFromCountryCodeText(const char16_t* text);

// Decimal conversion as the C library's: leading white space, an optional
// sign, then digits up to the first other unit. Saturates instead of
// overflowing.
std::int32_t ParseDecimal(const char16_t* text);

}  // namespace corvane
