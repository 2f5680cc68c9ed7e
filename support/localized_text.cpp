#include "support/localized_text.h"

#include "support/string_block.h"
#include "support/text_language.h"

namespace corvane {

std::uint16_t TextLanguage() { return TextLanguageFor(GetUserDefaultUILanguage()); }

const void* FindLanguageResource(HMODULE module, const wchar_t* type, const wchar_t* id,
                                 std::uint16_t language, DWORD* bytes) {
  HRSRC found = module != nullptr ? FindResourceExW(module, type, id, language) : nullptr;
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr) return nullptr;
  *bytes = SizeofResource(module, found);
  return LockResource(loaded);
}

bool LoadLanguageString(HMODULE module, unsigned id, std::uint16_t language, wchar_t* buffer,
                        int units) {
  DWORD bytes = 0;
  const void* block = FindLanguageResource(module, RT_STRING, MAKEINTRESOURCEW(StringBlockOf(id)),
                                           language, &bytes);
  if (block == nullptr || units <= 0) return false;
  BlockText text = TextInStringBlock(block, bytes, id);
  if (text.length == 0) return false;
  const int copied =
      text.length < static_cast<size_t>(units) ? static_cast<int>(text.length) : units - 1;
  CopyMemory(buffer, text.units, copied * sizeof(wchar_t));
  buffer[copied] = 0;
  return true;
}

}  // namespace corvane
