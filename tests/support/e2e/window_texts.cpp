// Prints what a window says, a line each in UTF-8: its title, then the texts
// of its controls. The end-to-end tests read the product's words with it.
//   window_texts [--class CLASS] [TITLE]
// The window is the visible top-level one of that class whose title begins
// with TITLE (either may be left out).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "tests/support/win/utf8_text.h"

namespace {

// Asked of the window itself: another process's edit keeps its text where
// GetWindowText does not look.
void PrintText(HWND window) {
  wchar_t text[2048] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  if (text[0] != 0) std::printf("%s\n", corvane::host::Utf8(text).c_str());
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  PrintText(child);
  return TRUE;
}

struct Wanted {
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam) {
  auto* wanted = reinterpret_cast<Wanted*>(lParam);
  wchar_t className[256] = {}, title[2048] = {};
  GetClassNameW(window, className, 256);
  GetWindowTextW(window, title, 2048);
  if (!IsWindowVisible(window) ||
      (wanted->className != nullptr && lstrcmpW(className, wanted->className) != 0) ||
      (wanted->title != nullptr && wcsncmp(title, wanted->title, wcslen(wanted->title)) != 0))
    return TRUE;
  wanted->found = window;
  return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Wanted wanted = {nullptr, nullptr, nullptr};
  for (int i = 1; i < argc; ++i) {
    if (lstrcmpW(argv[i], L"--class") == 0 && i + 1 < argc)
      wanted.className = argv[++i];
    else
      wanted.title = argv[i];
  }
  EnumWindows(Match, reinterpret_cast<LPARAM>(&wanted));
  if (wanted.found == nullptr) return 1;
  PrintText(wanted.found);
  EnumChildWindows(wanted.found, PrintChild, 0);
  return 0;
}
