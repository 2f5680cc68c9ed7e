// Which browser opens http addresses, and the home page of the two browsers
// whose settings Corvane knows how to read.
#pragma once
#include <windows.h>

#include "search/browser_command.h"

namespace corvane {

// From the http protocol's shell command under HKEY_CLASSES_ROOT.
BrowserKind DetectDefaultBrowser();

// Internet Explorer's "Start Page" (REG_SZ only), or nullptr. The caller
// frees the text with FreeMemory.
wchar_t* ReadIeStartPage();

// The home page in prefs.js of the first "*.default" Firefox profile under
// %APPDATA%, or nullptr. The caller frees the text with FreeMemory.
wchar_t* ReadFirefoxHomePage();

// The same, read on a thread of its own and given up after `timeLimitMs`: a
// profile on a server that cannot be reached must not hold the search.
wchar_t* ReadFirefoxHomePageWithin(DWORD timeLimitMs);

}  // namespace corvane
