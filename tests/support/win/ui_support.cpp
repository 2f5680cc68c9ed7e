#include "tests/support/win/ui_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/module_state.h"
#include "tests/support/win/test_support.h"

namespace corvane::test {

HMODULE CorvaneDll() {
  static HMODULE dll = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return LoadLibraryW((ProgramFolder() + L"\\CORVANE.DLL").c_str());
  }();
  return dll;
}

IDeskBand* CreateBand() { return BandFrom(CorvaneDll()); }

HRESULT CanUnloadNow() {
  auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(CorvaneDll(), "DllCanUnloadNow")));
  return canUnload();
}

HWND CreateFrame(int width, int height, int x, int y) {
  static const wchar_t kClass[] = L"CorvaneTestFrame";
  static bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClass;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  // Without a window manager the X focus follows the pointer; a pointer left
  // over one frame would fight Wine's activation of another.
  SetCursorPos(1020, 760);
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST);
  HWND frame = CreateWindowExW(WS_EX_TOPMOST, kClass, L"Corvane test frame",
                               WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                               rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  PumpMessages();
  return frame;
}

void Activate(HWND frame) {
  for (int i = 0; i < 100 && GetForegroundWindow() != frame; ++i) {
    SetForegroundWindow(frame);
    PumpMessages(10);
  }
  SetActiveWindow(frame);
  PumpMessages();
}

void PumpMessages(DWORD forMs) {
  DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (forMs > 0) Sleep(10);
  } while (GetTickCount() - start < forMs);
}

void SendKeys(const std::vector<WORD>& keys) {
  for (WORD key : keys) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpMessages(30);
  }
}

namespace {
MessageBoxCatcher* ActiveCatcher = nullptr;

// The message of a box: the longest text among its static controls.
BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
  wchar_t className[16] = {}, text[4096] = {};
  GetClassNameW(child, className, 16);
  GetWindowTextW(child, text, 4096);
  auto* longest = reinterpret_cast<std::wstring*>(lParam);
  if (lstrcmpiW(className, L"Static") == 0 && wcslen(text) > longest->size()) *longest = text;
  return TRUE;
}

// A message box is recorded once its texts are set, and closed.
LRESULT CALLBACK CatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
  auto* call = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && ActiveCatcher != nullptr && call->message == WM_INITDIALOG) {
    wchar_t className[64] = {};
    GetClassNameW(call->hwnd, className, 64);
    if (std::wstring(className) == L"#32770") {
      wchar_t caption[256] = {};
      GetWindowTextW(call->hwnd, caption, 256);
      std::wstring text;
      EnumChildWindows(call->hwnd, CollectStaticText, reinterpret_cast<LPARAM>(&text));
      ActiveCatcher->boxes.push_back({caption, text});
      PostMessageW(call->hwnd, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

MessageBoxCatcher::MessageBoxCatcher()
    : hook(SetWindowsHookExW(WH_CALLWNDPROCRET, CatchBoxes, nullptr, GetCurrentThreadId())) {
  ActiveCatcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() { ActiveCatcher = nullptr; }

}  // namespace corvane::test
