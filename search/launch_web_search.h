// Opening a web search for one query with the user's default browser.
#pragma once
#include <windows.h>

#include "support/memory.h"

namespace corvane {

// LaunchWebSearch results.
enum : int {
  kLaunchFailed = 0,
  kLaunchOpened = 1,          // the shell accepted the address
  kLaunchNothingToSearch = 2  // empty, or only line breaks; nothing opened
};

// The only mode LaunchWebSearch accepts.
constexpr int kLaunchModeWebSearch = 1;

// UTF-16 to a new zero-terminated UTF-8 block.
HRESULT ConvertToUtf8(const wchar_t* text, UniqueMemory<char>* utf8);
// The same as a search's own conversion: a block to free with FreeMemory.
// 1 on success; 0 with *out set to nullptr otherwise.
int ToUtf8(const wchar_t* text, char** out);

// Builds the address `query` opens (search/launch_address.h) and asks the
// shell to open it, with `ownerWindow` owning anything the shell shows. Only
// https:// and http:// addresses are ever built, so a search never starts a
// program.
int LaunchWebSearch(HWND ownerWindow, const wchar_t* query, int mode);

// Opens the engine at `engineAddress` (a usable one, with a place for the
// query) searching for `query`: the settings window's test of an engine.
// S_FALSE when there is nothing to search for.
HRESULT LaunchEngineSearch(HWND ownerWindow, const wchar_t* engineAddress, const wchar_t* query);

}  // namespace corvane
