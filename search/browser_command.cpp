#include "search/browser_command.h"

#include "support/ascii_text.h"

namespace corvane {

bool FirstCommandToken(const char16_t* commandLine, char16_t* token, std::size_t capacity,
                       std::size_t* fileNameStart) {
  if (commandLine == nullptr || token == nullptr || capacity == 0) return false;
  bool quoted = false;
  bool afterBackslash = false;
  std::size_t length = 0;
  std::size_t nameStart = 0;
  auto append = [&](char16_t unit) {
    if (length + 1 >= capacity) return false;  // keep room for the terminator
    token[length++] = unit;
    return true;
  };
  const char16_t* p = commandLine;
  for (; *p != 0; ++p) {
    char16_t unit = *p;
    if (unit == u' ' && !quoted) break;
    if (unit == u'"') {
      if (afterBackslash)
        token[length - 1] = u'"';  // \" is a literal quote
      else
        quoted = !quoted;
      afterBackslash = false;
    } else if (unit == u'\\') {
      if (!append(unit)) return false;
      if (p[1] != u'"') nameStart = length;
      afterBackslash = true;
    } else {
      if (!append(unit)) return false;
      afterBackslash = false;
    }
  }
  if (*p == 0 && quoted) return false;
  token[length] = 0;
  if (fileNameStart != nullptr) *fileNameStart = nameStart;
  return true;
}

BrowserKind BrowserKindFromCommandLine(const char16_t* commandLine) {
  char16_t token[kCommandTokenCapacity] = {};
  std::size_t nameStart = 0;
  if (!FirstCommandToken(commandLine, token, kCommandTokenCapacity, &nameStart))
    return kBrowserNeither;
  const char16_t* fileName = token + nameStart;
  if (EqualsIgnoringAsciiCase(fileName, u"iexplore.exe")) return kBrowserInternetExplorer;
  if (EqualsIgnoringAsciiCase(fileName, u"firefox.exe")) return kBrowserFirefox;
  return kBrowserNeither;
}

}  // namespace corvane
