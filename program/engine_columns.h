// The columns of the settings window's list of the user's engines.
#pragma once
#include <windows.h>

#include <array>
#include <string>

namespace corvane::program {

// Name, keyword and address under these headings. The keyword's column fits
// its heading as the header draws it (in any language, at any DPI); the name
// takes a third of the rest, the address what is left.
void SetUpEngineColumns(HWND list, std::array<std::wstring, 3> headings);

}  // namespace corvane::program
