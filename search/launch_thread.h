// A search opened on a thread of its own. The shell's open may wait seconds
// for a browser to start (or for a home page on the network), and the band's
// thread is the taskbar's: it hands the query over and goes on at once.
#pragma once
#include <windows.h>

namespace corvane {

// A message posted when the search was opened, or when it was not.
struct LaunchNotice {
  HWND window;
  UINT message;
  WPARAM wParam;
};

struct LaunchNotices {
  LaunchNotice opened;
  LaunchNotice failed;  // the shell could not open the address
};

// Copies `query` and opens it as LaunchWebSearch does, `ownerWindow` owning
// what the shell shows; an opened search is remembered among the recent
// ones, then `notices.opened` posted, else `notices.failed`. False, with
// nothing opened, when no thread could be started.
bool LaunchWebSearchOnThread(HWND ownerWindow, const wchar_t* query, const LaunchNotices& notices);

}  // namespace corvane
