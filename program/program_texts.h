// The program's texts and dialogs in the user's language, and the boxes that say what
// went wrong in words the user can act on.
#pragma once
#include <windows.h>

#include <string>

namespace corvane::program {

// In the user's language (see support/localized_text.h), else in English.
std::wstring ProgramText(UINT id);
const void* FindProgramResource(const wchar_t* type, const wchar_t* id, DWORD* bytes);

// The text of `id` with its "%s", if it has one, standing for `detail`.
std::wstring WithDetail(UINT id, const std::wstring& detail);

// A warning box captioned "Corvane" with the text of `id`, in which "%s"
// stands for `detail`.
void ReportProblem(UINT id, const std::wstring& detail = L"");

}  // namespace corvane::program
