// The MSI packages' own actions, carried in their Binary table and never
// installed. Windows Installer may not close programs itself (the packages
// turn its Restart Manager off: it would close Explorer, which holds the
// band's DLL, and every program F12's hook reached), so the package closes
// Corvane.exe as setup does and starts it again when it is done.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include "res/product.h"
#include "support/windows_handles.h"

namespace {

// As long as setup waits for one strip, and as many strips as it closes.
constexpr DWORD kProgramExitWaitMs = 5000;
constexpr int kMostStrips = 16;

// Set when a strip was closed: the package starts the program again.
constexpr wchar_t kStripsClosedProperty[] = L"STRIPSCLOSED";

}  // namespace

// Closes every strip of this session as its menu's Close does and waits for
// each program to end, so that its files can be replaced or removed.
// Strips of other sessions keep their files in use; those go at the restart.
extern "C" UINT WINAPI CloseStrips(MSIHANDLE install) {
  bool closed = false;
  for (int count = 0; count < kMostStrips; ++count) {
    HWND strip = FindWindowW(corvane::kStripWindowClass, nullptr);
    if (strip == nullptr) break;
    DWORD process = 0;
    GetWindowThreadProcessId(strip, &process);
    corvane::UniqueKernelObject program(OpenProcess(SYNCHRONIZE, FALSE, process));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(strip, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kProgramExitWaitMs, &ignored);
    if (program) WaitForSingleObject(program.Get(), kProgramExitWaitMs);
    closed = true;
  }
  if (closed) MsiSetPropertyW(install, kStripsClosedProperty, L"1");
  return ERROR_SUCCESS;
}
