// The program's icon in the notification area, where Windows 11 users reach
// background programs: its clicks come to the strip's window.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "support/windows_handles.h"

namespace corvane::program {

class NotificationIcon {
 public:
  NotificationIcon() = default;
  NotificationIcon(const NotificationIcon&) = delete;
  NotificationIcon& operator=(const NotificationIcon&) = delete;
  ~NotificationIcon() { Remove(); }

  // Adds the icon for `window`, which hears its clicks as `notice` (in the
  // form of the shell's version 4); again after Explorer restarts. Fails
  // when the shell has no notification area yet: it says when it has.
  HRESULT Show(HWND window, UINT notice);
  // Draws it anew at the taskbar's DPI.
  void Refresh();
  void Remove();

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  void LoadPicture();

  HWND window = nullptr;
  UINT notice = 0;
  bool shown = false;
  UniqueHandle<HICON, DestroyIcon> picture;
};

}  // namespace corvane::program
