// Loaded into Corvane.exe by a thread hook of the program tests: sets that
// process's work area as a taskbar that moves would, on a sent message, and
// tells the test thread whose id comes with another message what it is.
// (Wine keeps the work area per process, so only the program's own call
// reaches the program.)
#include <windows.h>

extern "C" LRESULT CALLBACK WorkAreaHook(int code, WPARAM sent, LPARAM lParam) {
  const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  const UINT announced = RegisterWindowMessageW(L"CorvaneTest.SetWorkArea");
  const UINT quiet = RegisterWindowMessageW(L"CorvaneTest.SetWorkAreaQuietly");
  const UINT report = RegisterWindowMessageW(L"CorvaneTest.ReportWorkArea");
  if (code == HC_ACTION && message->message == report) {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    PostThreadMessageW(static_cast<DWORD>(message->wParam), report, MAKEWPARAM(area.left, area.top),
                       MAKELPARAM(area.right, area.bottom));
  }
  if (code == HC_ACTION && (message->message == announced || message->message == quiet)) {
    RECT area = {
        static_cast<short>(LOWORD(message->wParam)), static_cast<short>(HIWORD(message->wParam)),
        static_cast<short>(LOWORD(message->lParam)), static_cast<short>(HIWORD(message->lParam))};
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &area,
                          message->message == announced ? SPIF_UPDATEINIFILE | SPIF_SENDCHANGE : 0);
  }
  return CallNextHookEx(nullptr, code, sent, lParam);
}
