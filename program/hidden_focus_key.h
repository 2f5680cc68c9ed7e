// F12 for strips out of sight, which the bands' own hook cannot serve: a
// low-level keyboard hook on a thread of its own. Windows makes every
// keystroke of the session wait for the thread of such a hook, and drops the
// hook without a word when one wait is too long; this thread does nothing
// but decide and post, and puts the hook in again should it ever stop being
// called while input goes on.
#pragma once
#include <windows.h>

#include "support/windows_handles.h"

namespace corvane::program {

class HiddenFocusKey {
 public:
  HiddenFocusKey() = default;
  HiddenFocusKey(const HiddenFocusKey&) = delete;
  HiddenFocusKey& operator=(const HiddenFocusKey&) = delete;
  ~HiddenFocusKey() { Stop(); }

  // From now on F12 pressed while `window` is out of sight is posted to it
  // as `message` and goes no further (the program's hidden window: every
  // F12). Listening already, it goes on.
  HRESULT Start(HWND window, UINT message);
  void Stop();

 private:
  static DWORD WINAPI Listen(void* parameter);
  static LRESULT CALLBACK OnKey(int code, WPARAM wParam, LPARAM lParam);
  static bool Hook();
  static void HookAgainIfDropped();

  UniqueKernelObject thread;
  DWORD threadId = 0;
};

}  // namespace corvane::program
