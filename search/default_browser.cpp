#include <windows.h>

#include "search/browser_discovery.h"
#include "support/bounded_string.h"
#include "support/hresult.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

constexpr size_t kBufferUnits = 4096;
// Registry reads get 4095 bytes of the 8192-byte buffers; the zero fill
// behind them terminates whatever was read.
constexpr LONG kReadLimitBytes = 4095;

HRESULT ReadClassesDefault(const wchar_t* subKey, wchar_t* buffer, LONG* sizeRead) {
  *sizeRead = kReadLimitBytes;
  return FromWin32(RegQueryValueW(HKEY_CLASSES_ROOT, subKey, buffer, sizeRead));
}

}  // namespace

BrowserKind DetectDefaultBrowser() {
  wchar_t verbOrCommand[kBufferUnits] = {};
  wchar_t commandKey[kBufferUnits] = {};
  LONG size = 0;
  if (FAILED(ReadClassesDefault(L"http\\shell", verbOrCommand, &size)) || size == 0 ||
      verbOrCommand[0] == 0) {
    if (BoundedCopy(AsUtf16(verbOrCommand), kBufferUnits, u"open") != kResultOk)
      return kBrowserNeither;
  }
  if (BoundedFormat(AsUtf16(commandKey), kBufferUnits - 1, u"http\\shell\\%s\\command",
                    verbOrCommand) != kResultOk)
    return kBrowserNeither;
  ZeroMemory(verbOrCommand, sizeof verbOrCommand);
  if (FAILED(ReadClassesDefault(commandKey, verbOrCommand, &size))) return kBrowserNeither;
  return BrowserKindFromCommandLine(AsUtf16(verbOrCommand));
}

}  // namespace corvane
