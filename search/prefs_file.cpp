#include "search/prefs_file.h"

#include <cstddef>

#include "support/memory.h"

namespace corvane {
namespace {

const char kHomePageMarker[] = "user_pref(\"browser.startup.homepage\", \"";
const char kEndMarker[] = "\");";

const char* FindText(const char* haystack, const char* needle) {
  for (; *haystack != 0; ++haystack) {
    std::size_t i = 0;
    while (needle[i] != 0 && haystack[i] == needle[i]) ++i;
    if (needle[i] == 0) return haystack;
  }
  return nullptr;
}

}  // namespace

char16_t* HomePageFromPrefs(const char* prefsText) {
  if (prefsText == nullptr) return nullptr;
  const char* marker = FindText(prefsText, kHomePageMarker);
  if (marker == nullptr) return nullptr;
  const char* value = marker + sizeof(kHomePageMarker) - 1;
  const char* valueEnd = FindText(value, kEndMarker);
  if (valueEnd == nullptr) return nullptr;

  std::size_t length = static_cast<std::size_t>(valueEnd - value);
  UniqueMemory<char16_t> page(AllocArray<char16_t>(length + 1));
  if (!page) return nullptr;
  for (std::size_t i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(value[i]);
    if (byte <= 32) return nullptr;
    page.Get()[i] = byte;
  }
  return page.Detach();
}

}  // namespace corvane
