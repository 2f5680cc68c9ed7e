// What the end-to-end tests ask of Corvane.exe's strips from inside Wine,
// and what they tell it as Windows would:
//   strip_report list            a line per strip in sight, left to right:
//                                "LEFT TOP RIGHT BOTTOM focus|-" (focus: its
//                                box has the keyboard focus)
//   strip_report monitors        a line per monitor: "LEFT TOP RIGHT BOTTOM
//                                primary|-"
//   strip_report escape          Esc pressed, where the keyboard focus is
//   strip_report icon            the notification icon clicked
//   strip_report settings        the settings changed
//   strip_report display-change  WM_DISPLAYCHANGE to every window, as Windows
//                                sends it when monitors come, go or move
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "res/product.h"

namespace {

std::vector<HWND> Strips(bool inSightOnly) {
  std::vector<HWND> strips;
  for (HWND strip = FindWindowExW(nullptr, nullptr, corvane::kStripWindowClass, nullptr);
       strip != nullptr; strip = FindWindowExW(nullptr, strip, corvane::kStripWindowClass, nullptr))
    if (!inSightOnly || IsWindowVisible(strip)) strips.push_back(strip);
  return strips;
}

bool HoldsFocus(HWND strip) {
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  return GetGUIThreadInfo(GetWindowThreadProcessId(strip, nullptr), &thread) &&
         thread.hwndFocus != nullptr && IsChild(strip, thread.hwndFocus) &&
         GetForegroundWindow() == strip;
}

int List() {
  std::vector<std::pair<RECT, HWND>> shown;
  for (HWND strip : Strips(true)) {
    RECT rect = {};
    GetWindowRect(strip, &rect);
    shown.push_back({rect, strip});
  }
  std::sort(shown.begin(), shown.end(),
            [](const auto& a, const auto& b) { return a.first.left < b.first.left; });
  for (const auto& [rect, strip] : shown)
    std::printf("%ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right, rect.bottom,
                HoldsFocus(strip) ? "focus" : "-");
  return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, RECT*, LPARAM) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& r = info.rcMonitor;
  std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right, r.bottom,
              (info.dwFlags & MONITORINFOF_PRIMARY) ? "primary" : "-");
  return TRUE;
}

// Wine's desktop reads the desk when it starts and follows its changes:
// asked for first, the monitors are the desk's as it is now.
int PrintMonitors() {
  GetSystemMetrics(SM_CXVIRTUALSCREEN);
  return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : 1;
}

int PressEscape() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, keys, sizeof(INPUT)) == 2 ? 0 : 1;
}

// As the shell and the settings window post them: to any strip, which hands
// them to the program.
int Post(const wchar_t* name, LPARAM lParam) {
  const std::vector<HWND> strips = Strips(false);
  if (strips.empty()) return 1;
  return PostMessageW(strips.front(), RegisterWindowMessageW(name), 0, lParam) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring command = argv[1];
  if (command == L"list") return List();
  if (command == L"monitors") return PrintMonitors();
  if (command == L"escape") return PressEscape();
  if (command == L"icon") return Post(corvane::kIconNoticeMessage, MAKELPARAM(NIN_SELECT, 1));
  if (command == L"settings") return Post(corvane::kSettingsChangedMessage, 0);
  if (command == L"display-change") {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
                        MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    return 0;
  }
  return 2;
}
