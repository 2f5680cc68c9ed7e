#include "program/program_texts.h"

#include "program/program_resource_ids.h"

namespace corvane::program {

std::wstring ProgramText(UINT id) {
  // With no buffer, LoadStringW points at the text in the resource itself.
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
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
