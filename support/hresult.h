// The Windows layer reports every failure as an HRESULT and passes the
// platform's codes on unchanged; these are its early-return helpers. Each
// failure they see is traced (TraceFailure) where it happens.
#pragma once
#include <windows.h>

// A short line for an engineer's debug viewer: the function in which
// `result` failed, and the source file and line.
#define TRACE_FAILURE(result) ::corvane::TraceFailure(__func__, (result), __FILE__, __LINE__)

#define RETURN_IF_FAILED(expression)                   \
  do {                                                 \
    const HRESULT returnIfFailedResult = (expression); \
    if (FAILED(returnIfFailedResult)) {                \
      TRACE_FAILURE(returnIfFailedResult);             \
      return returnIfFailedResult;                     \
    }                                                  \
  } while (0)

// Returns `result` when `condition` holds.
#define RETURN_HR_IF(result, condition) \
  do {                                  \
    if (condition) {                    \
      TRACE_FAILURE(result);            \
      return (result);                  \
    }                                   \
  } while (0)

// Returns the calling thread's last error (never S_OK) when `condition`
// holds: for the platform's calls that report failure by their result and
// its reason through GetLastError.
#define RETURN_LAST_ERROR_IF(condition)                                   \
  do {                                                                    \
    if (condition) {                                                      \
      const HRESULT returnLastErrorResult = ::corvane::LastErrorResult(); \
      TRACE_FAILURE(returnLastErrorResult);                               \
      return returnLastErrorResult;                                       \
    }                                                                     \
  } while (0)

// For a failure the caller goes on after (the reason is said where it is
// used): traced, and its result given back.
#define TRACE_IF_FAILED(expression) \
  ::corvane::TraceIfFailed((expression), __func__, __FILE__, __LINE__)

namespace corvane {

// Writes "Corvane: <what> failed, 0x<result>, <file>:<line>" to the
// debugger's output: never a text of the user's, nothing on disk.
void TraceFailure(const char* what, HRESULT result, const char* file, int line);

// `result`, traced when it is a failure.
HRESULT TraceIfFailed(HRESULT result, const char* what, const char* file, int line);

// A registry or other Win32 status code as an HRESULT.
inline HRESULT FromWin32(LONG status) {
  return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
}

// The status of a removal: what was not there is no failure.
inline HRESULT FromWin32Removal(LONG status) {
  return status == ERROR_FILE_NOT_FOUND ? S_OK : FromWin32(status);
}

// The calling thread's last error as a failure, never S_OK.
inline HRESULT LastErrorResult() {
  DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace corvane
