#include "support/hresult.h"

namespace corvane {
namespace {

// Appends `text` to the line at `at`, never past its end.
char* Append(char* at, const char* end, const char* text) {
  while (*text != '\0' && at < end) *at++ = *text++;
  return at;
}

char* AppendNumber(char* at, const char* end, unsigned long value, unsigned base, int digits) {
  char reversed[16];
  int count = 0;
  do {
    reversed[count++] = "0123456789ABCDEF"[value % base];
    value /= base;
  } while (value != 0 || count < digits);
  while (count > 0 && at < end) *at++ = reversed[--count];
  return at;
}

}  // namespace

void TraceFailure(const char* what, HRESULT result, const char* file, int line) {
  // The error the failure left behind stays for the caller to read.
  const DWORD lastError = GetLastError();
  char text[256];
  const char* end = text + sizeof text - 2;
  char* at = Append(text, end, "Corvane: ");
  at = Append(at, end, what);
  at = Append(at, end, " failed, 0x");
  at = AppendNumber(at, end, static_cast<unsigned long>(result), 16, 8);
  at = Append(at, end, ", ");
  at = Append(at, end, file);
  at = Append(at, end, ":");
  at = AppendNumber(at, end, static_cast<unsigned long>(line), 10, 1);
  *at++ = '\n';
  *at = '\0';
  OutputDebugStringA(text);
  SetLastError(lastError);
}

HRESULT TraceIfFailed(HRESULT result, const char* what, const char* file, int line) {
  if (FAILED(result)) TraceFailure(what, result, file, line);
  return result;
}

}  // namespace corvane
