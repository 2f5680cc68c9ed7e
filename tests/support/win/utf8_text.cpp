#include "tests/support/win/utf8_text.h"

#include "search/launch_web_search.h"
#include "support/memory.h"

namespace corvane::host {

std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return "(null)";
  char* converted = nullptr;
  if (!ToUtf8(text, &converted)) return "";
  UniqueMemory<char> owned(converted);
  return converted;
}

}  // namespace corvane::host
