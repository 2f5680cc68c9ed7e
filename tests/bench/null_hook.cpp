// The least a keyboard hook can do: pass every key on. The hook benchmark
// installs it beside Corvane's, so that what any global hook costs under
// the platform is told apart from what Corvane's own procedure adds.
#include <windows.h>

extern "C" LRESULT CALLBACK NullHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
