// The Windows layer reports every failure as an HRESULT and passes the
// platform's codes on unchanged; these are its early-return helpers.
#pragma once
#include <windows.h>

#define RETURN_IF_FAILED(expression)                               \
  do {                                                             \
    const HRESULT returnIfFailedResult = (expression);             \
    if (FAILED(returnIfFailedResult)) return returnIfFailedResult; \
  } while (0)

// Returns the calling thread's last error (never S_OK) when `condition`
// holds: for the platform's calls that report failure by their result and
// its reason through GetLastError.
#define RETURN_LAST_ERROR_IF(condition)                 \
  do {                                                  \
    if (condition) return ::corvane::LastErrorResult(); \
  } while (0)

namespace corvane {

// A registry or other Win32 status code as an HRESULT.
inline HRESULT FromWin32(LONG status) {
  return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
}

// The calling thread's last error as a failure, never S_OK.
inline HRESULT LastErrorResult() {
  DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace corvane
