#include "search/domain_matching.h"

#include <cstdint>

#include "search/country_domains.h"
#include "support/ascii_text.h"

namespace corvane {
namespace {

char16_t* SkipPrefix(char16_t* text, const char16_t* prefix, std::size_t length) {
  return StartsWithIgnoringAsciiCase(text, prefix, length) ? text + length : text;
}

void CutAtFirstSlash(char16_t* text) {
  for (; *text != 0; ++text) {
    if (*text == u'/') {
      *text = 0;
      return;
    }
  }
}

void RemoveOneTrailingDot(char16_t* text) {
  char16_t* last = nullptr;
  for (char16_t* p = text; *p != 0; ++p) last = p;
  if (last != nullptr && *last == u'.') *last = 0;
}

bool IsSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

}  // namespace

const char16_t* DomainFromHomePage(char16_t* page) {
  if (page == nullptr) return nullptr;
  char16_t* host = SkipPrefix(page, u"http://", 7);
  host = SkipPrefix(host, u"www.", 4);
  CutAtFirstSlash(host);
  RemoveOneTrailingDot(host);
  if (!StartsWithIgnoringAsciiCase(host, SearchServiceLabel, kSearchServiceLabelLength))
    return nullptr;
  const char16_t* suffix = host + kSearchServiceLabelLength;
  for (const CountryDomain& row : CountryDomainTable)
    if (EqualsIgnoringAsciiCase(suffix, row.suffix)) return row.suffix;
  for (const char16_t* extra : ExtraDomainSuffixes)
    if (EqualsIgnoringAsciiCase(suffix, extra)) return extra;
  return nullptr;
}

const char16_t* DomainFromCountryCode(std::int32_t code) {
  for (const CountryDomain& row : CountryDomainTable)
    if (row.code == code) return row.suffix;
  return nullptr;
}

std::int32_t ParseDecimal(const char16_t* text) {
  while (IsSpace(*text)) ++text;
  bool negative = false;
  if (*text == u'+' || *text == u'-') negative = *text++ == u'-';
  std::int64_t value = 0;
  for (; *text >= u'0' && *text <= u'9'; ++text) {
    value = value * 10 + (*text - u'0');
    if (value > INT32_MAX) return negative ? INT32_MIN : INT32_MAX;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

const char16_t* DomainFromCountryCodeText(const char16_t* text) {
  if (text == nullptr || *text == 0) return nullptr;
  std::int32_t code = ParseDecimal(text);
  return code == 0 ? nullptr : DomainFromCountryCode(code);
}

}  // namespace corvane
