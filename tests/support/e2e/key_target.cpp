// Another application for the F12 tests: an always-on-top window that logs
// every key message it receives ("down VK", "up VK", "char CODE"), and after
// each release whether CORVANE.DLL is loaded into it ("corvane-loaded 0|1").
// With KEY_TARGET_HOLDS_CTRL_ALT_T set it registers that combination, as a
// program that has taken a key does:
//   key_target LOG [X Y WIDTH HEIGHT]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const wchar_t* LogPath = nullptr;

void Log(const char* what, WPARAM code) {
  if (FILE* file = _wfopen(LogPath, L"ab")) {
    std::fprintf(file, "%s %u\n", what, static_cast<unsigned>(code));
    std::fclose(file);
  }
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Log("down", wParam);
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Log("up", wParam);
      Log("corvane-loaded", GetModuleHandleW(L"CORVANE.DLL") != nullptr);
      return 0;
    case WM_CHAR:
      Log("char", wParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  LogPath = argv[1];
  WNDCLASSW wc = {};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"CorvaneKeyTarget";
  RegisterClassW(&wc);
  int place[4] = {500, 300, 300, 200};
  for (int i = 0; i < 4 && i + 2 < argc; ++i) place[i] = _wtoi(argv[i + 2]);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Corvane key target",
                                WS_POPUP | WS_VISIBLE | WS_BORDER, place[0], place[1], place[2],
                                place[3], nullptr, nullptr, wc.hInstance, nullptr);
  if (_wgetenv(L"KEY_TARGET_HOLDS_CTRL_ALT_T") != nullptr &&
      !RegisterHotKey(window, 1, MOD_CONTROL | MOD_ALT, 'T'))
    return 3;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
