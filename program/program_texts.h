// The program's texts from its string table, and the boxes that say what
// went wrong in words the user can act on.
#pragma once
#include <windows.h>

#include <string>

namespace corvane::program {

std::wstring ProgramText(UINT id);

// The text of `id` with its "%s", if it has one, standing for `detail`.
std::wstring WithDetail(UINT id, const std::wstring& detail);

// A warning box captioned "Corvane" with the text of `id`, in which "%s"
// stands for `detail`.
void ReportProblem(UINT id, const std::wstring& detail = L"");

}  // namespace corvane::program
