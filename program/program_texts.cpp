#include "program/program_texts.h"

#include <cstdint>

#include "program/program_resource_ids.h"
#include "support/localized_text.h"
#include "support/text_language.h"

namespace corvane::program {

const void* FindProgramResource(const wchar_t* type, const wchar_t* id, DWORD* bytes) {
  for (std::uint16_t language : {TextLanguage(), kEnglishLanguage})
    if (const void* found =
            FindLanguageResource(GetModuleHandleW(nullptr), type, id, language, bytes))
      return found;
  return nullptr;
}

std::wstring ProgramText(UINT id) {
  constexpr int kLongestText = 1024;
  wchar_t text[kLongestText] = {};
  for (std::uint16_t language : {TextLanguage(), kEnglishLanguage})
    if (LoadLanguageString(GetModuleHandleW(nullptr), id, language, text, kLongestText))
      return text;
  return std::wstring();
}

std::wstring WithDetail(UINT id, const std::wstring& detail) {
  std::wstring text = ProgramText(id);
  std::wstring::size_type slot = text.find(L"%s");
  if (slot != std::wstring::npos) text.replace(slot, 2, detail);
  return text;
}

void ReportProblem(UINT id, const std::wstring& detail) {
  MessageBoxW(nullptr, WithDetail(id, detail).c_str(), ProgramText(IDS_PROGRAM_CAPTION).c_str(),
              MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

}  // namespace corvane::program
