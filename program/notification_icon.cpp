#include "program/notification_icon.h"

#include <shellapi.h>

#include "program/program_resource_ids.h"
#include "program/program_texts.h"
#include "support/dpi_scale.h"
#include "support/hresult.h"
#include "ui/window_dpi.h"

namespace corvane::program {
namespace {

constexpr UINT kIconId = 1;
constexpr int kSmallIconSize = 16;  // at 96 DPI

// The taskbar's DPI, which the notification area draws at.
int TaskbarDpi() {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  return WindowDpi(taskbar != nullptr ? taskbar : GetDesktopWindow());
}

}  // namespace

NOTIFYICONDATAW NotificationIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kIconId;
  data.uFlags = flags;
  data.uCallbackMessage = notice;
  data.hIcon = picture.Get();
  lstrcpynW(data.szTip, ProgramText(IDS_PROGRAM_CAPTION).c_str(), ARRAYSIZE(data.szTip));
  data.uVersion = NOTIFYICON_VERSION_4;
  return data;
}

// Each size is drawn for itself in the program's icon; the nearest is taken.
void NotificationIcon::LoadPicture() {
  const int size = ScaleForDpi(kSmallIconSize, TaskbarDpi());
  picture.Reset(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CORVANE),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

HRESULT NotificationIcon::Show(HWND owner, UINT noticeMessage) {
  window = owner;
  notice = noticeMessage;
  LoadPicture();
  // After Explorer restarts the old icon is gone with it: this adds it anew,
  // so that the one deleted first may well not be there.
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  Shell_NotifyIconW(NIM_DELETE, &data);
  shown = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  RETURN_HR_IF(E_FAIL, !shown);
  // Refused, the icon's clicks come in the older form, which the strip reads too.
  TRACE_IF_FAILED(Shell_NotifyIconW(NIM_SETVERSION, &data) ? S_OK : E_FAIL);
  return S_OK;
}

void NotificationIcon::Refresh() {
  if (!shown) return;
  LoadPicture();
  NOTIFYICONDATAW data = Data(NIF_ICON);
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void NotificationIcon::Remove() {
  if (!shown) return;
  NOTIFYICONDATAW data = Data(0);
  Shell_NotifyIconW(NIM_DELETE, &data);
  shown = false;
}

}  // namespace corvane::program
