// Texts and dialogs in the user's language: the language is chosen once, by
// the Windows display language, among those Corvane has, and each resource
// is looked up in exactly that language (Windows' own fallback would take
// any language a module holds, not English).
#pragma once
#include <windows.h>

#include <cstdint>

namespace corvane {

// The language of Corvane's texts for this user (kEnglishLanguage where
// Corvane has none of theirs).
std::uint16_t TextLanguage();

// The resource `id` of `type` in exactly `language`, or null.
const void* FindLanguageResource(HMODULE module, const wchar_t* type, const wchar_t* id,
                                 std::uint16_t language, DWORD* bytes);

// Copies the string `id` of `module`'s table in `language` into `buffer`,
// terminated (cut to fit). false when the module has no such text.
bool LoadLanguageString(HMODULE module, unsigned id, std::uint16_t language, wchar_t* buffer,
                        int units);

}  // namespace corvane
