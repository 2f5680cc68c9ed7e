// Opening a web search for one query with the user's default browser.
#pragma once
#include <windows.h>

namespace corvane {

// LaunchWebSearch results.
enum : int {
  kLaunchFailed = 0,
  kLaunchOpened = 1,          // the shell accepted the address
  kLaunchNothingToSearch = 2  // empty, or only line breaks; nothing opened
};

// The only mode LaunchWebSearch accepts.
constexpr int kLaunchModeWebSearch = 1;

// UTF-16 to a new zero-terminated UTF-8 block (free with FreeMemory).
// 1 on success; 0 with *out set to nullptr otherwise.
int ToUtf8(const wchar_t* text, char** out);

// Builds the search address for `query` under the suffix chosen now and asks
// the shell to open it, with `ownerWindow` owning anything the shell shows.
int LaunchWebSearch(HWND ownerWindow, const wchar_t* query, int mode);

}  // namespace corvane
