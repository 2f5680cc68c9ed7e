#include "program/single_instance.h"

#include "program/strip_window.h"
#include "res/product.h"

namespace corvane::program {

UniqueKernelObject ClaimSession() {
  // "Local\" is this session's namespace: other sessions run their own.
  UniqueKernelObject claim(CreateMutexW(nullptr, FALSE, kProgramMutex));
  if (claim && GetLastError() == ERROR_ALREADY_EXISTS) claim.Reset();
  return claim;
}

bool FocusRunningProgram() {
  // The running program may have claimed the session a moment ago and not
  // yet shown its strip.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (HWND strip = FindWindowW(kStripWindowClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(strip, &process);
      // This start came from the user, so it may give the foreground on.
      AllowSetForegroundWindow(process);
      return PostMessageW(strip, FocusSearchBoxMessage(), 0, 0) != FALSE;
    }
    Sleep(100);
  }
  return false;
}

UINT FocusSearchBoxMessage() { return RegisterWindowMessageW(kFocusSearchBoxMessage); }

}  // namespace corvane::program
