#include "program/program_texts.h"

#include <cstdint>

#include "program/program_resource_ids.h"
#include "support/localized_text.h"
#include "support/string_block.h"
#include "support/text_language.h"
#include "support/wide_text.h"

namespace corvane::program {

const void* FindProgramResource(const wchar_t* type, const wchar_t* id, DWORD* bytes) {
  for (std::uint16_t language : {TextLanguage(), kEnglishLanguage})
    if (const void* found =
            FindLanguageResource(GetModuleHandleW(nullptr), type, id, language, bytes))
      return found;
  return nullptr;
}

std::wstring ProgramText(UINT id) {
  for (std::uint16_t language : {TextLanguage(), kEnglishLanguage}) {
    DWORD bytes = 0;
    const void* block = FindLanguageResource(GetModuleHandleW(nullptr), RT_STRING,
                                             MAKEINTRESOURCEW(StringBlockOf(id)), language, &bytes);
    const BlockText text = block != nullptr ? TextInStringBlock(block, bytes, id) : BlockText{};
    if (text.length != 0) return std::wstring(AsWide(text.units), text.length);
  }
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
