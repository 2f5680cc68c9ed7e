// The country suffix for the next search.
#pragma once

namespace corvane {

// The default browser's home page if it is the search service's under a
// known suffix, else the locale's country, else "com". Never nullptr; the
// text lives as long as the module.
const wchar_t* SelectSearchDomain();

// The suffix of the user's locale country, or nullptr.
const wchar_t* DomainFromLocale();

}  // namespace corvane
