#include "search/select_search_domain.h"

#include <windows.h>

#include "search/browser_discovery.h"
#include "search/country_domains.h"
#include "search/domain_matching.h"
#include "support/memory.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// Long enough for a profile on a local disk, cold, under a virus scanner;
// a profile that takes longer is on a network that is not there.
constexpr DWORD kHomePageTimeLimitMs = 1000;

wchar_t* ReadHomePage(BrowserKind browser) {
  switch (browser) {
    case kBrowserInternetExplorer:
      return ReadIeStartPage();
    case kBrowserFirefox:
      return ReadFirefoxHomePageWithin(kHomePageTimeLimitMs);
    default:
      return nullptr;
  }
}

}  // namespace

const wchar_t* SelectSearchDomain() {
  if (UniqueMemory<wchar_t> page{ReadHomePage(DetectDefaultBrowser())}) {
    if (const char16_t* suffix = DomainFromHomePage(AsUtf16(page.Get()))) return AsWide(suffix);
  }
  if (const wchar_t* suffix = DomainFromLocale()) return suffix;
  return AsWide(kFallbackSuffix);
}

const wchar_t* DomainFromLocale() {
  wchar_t code[8] = {};
  // At most five digits and the terminator.
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, code, 6) == 0) return nullptr;
  return AsWide(DomainFromCountryCodeText(AsUtf16(code)));
}

}  // namespace corvane
