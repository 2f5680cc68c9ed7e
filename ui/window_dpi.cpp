#include "ui/window_dpi.h"

#include "support/dpi_scale.h"
#include "support/windows_handles.h"

namespace corvane {

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
  if (getDpiForWindow != nullptr) {
    if (UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  WindowDc dc(window);
  int dpi = dc.Get() != nullptr ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace corvane
