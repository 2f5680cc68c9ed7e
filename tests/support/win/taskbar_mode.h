// The taskbar's light or dark mode as the user's settings hold it, told to
// every window as Windows tells it; light again (the value gone) when the
// test ends.
#pragma once
#include <windows.h>

namespace corvane::test {

class TaskbarMode {
 public:
  explicit TaskbarMode(DWORD light) { Set(&light); }
  ~TaskbarMode() { Set(nullptr); }
  TaskbarMode(const TaskbarMode&) = delete;
  TaskbarMode& operator=(const TaskbarMode&) = delete;

 private:
  static void Set(const DWORD* light);
};

}  // namespace corvane::test
