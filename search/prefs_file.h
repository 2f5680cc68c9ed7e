// The home page line of a Firefox preferences file.
#pragma once

namespace corvane {

// Finds the first
//   user_pref("browser.startup.homepage", "VALUE");
// (exactly this spacing) in zero-terminated file bytes and returns VALUE
// widened byte by byte to UTF-16, in a block the caller frees with
// FreeMemory. nullptr when there is no such line, when VALUE holds a space or
// a control byte, or when no memory is left.
char16_t* HomePageFromPrefs(const char* prefsText);

}  // namespace corvane
