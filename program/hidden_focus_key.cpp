#include "program/hidden_focus_key.h"

#include "support/hresult.h"

namespace corvane::program {
namespace {

// How often the thread looks whether its hook is still called.
constexpr UINT kCheckEveryMs = 5000;

// The hook calls back without a context. Set before the thread starts and
// read only on it: there is one listening thread at a time.
HWND Strip = nullptr;
UINT StripMessage = 0;
// The listening thread's own.
HHOOK Installed = nullptr;
DWORD LastCall = 0;           // the time of the last keystroke the hook saw
bool SwallowedPress = false;  // its release goes no further either

struct ListenStart {
  HANDLE ready;
  HRESULT hooked;
};

}  // namespace

LRESULT CALLBACK HiddenFocusKey::OnKey(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION) {
    LastCall = key->time;
    const bool press = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (key->vkCode == VK_F12 && press && !IsWindowVisible(Strip) &&
        PostMessageW(Strip, StripMessage, 0, 0)) {
      SwallowedPress = true;
      return 1;
    }
    if (key->vkCode == VK_F12 && !press && SwallowedPress) {
      SwallowedPress = false;
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool HiddenFocusKey::Hook() {
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, GetModuleHandleW(nullptr), 0);
  if (hook == nullptr) return false;
  if (Installed != nullptr) UnhookWindowsHookEx(Installed);
  Installed = hook;
  return true;
}

// Windows says nothing when it drops the hook: input after its last call is
// the sign. Mouse input counts too; a hook put in again costs next to
// nothing.
void HiddenFocusKey::HookAgainIfDropped() {
  LASTINPUTINFO input = {sizeof input, 0};
  if (!GetLastInputInfo(&input) || static_cast<LONG>(input.dwTime - LastCall) <= 0) return;
  if (Hook()) LastCall = input.dwTime;
}

DWORD WINAPI HiddenFocusKey::Listen(void* parameter) {
  auto* start = static_cast<ListenStart*>(parameter);
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue Stop posts to
  LastCall = GetTickCount();
  const bool hooked = Hook();
  start->hooked = hooked ? S_OK : LastErrorResult();
  SetEvent(start->ready);
  if (!hooked) return 1;
  const UINT_PTR timer = SetTimer(nullptr, 0, kCheckEveryMs, nullptr);
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    if (message.message == WM_TIMER) HookAgainIfDropped();
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(Installed);
  Installed = nullptr;
  return 0;
}

HRESULT HiddenFocusKey::Start(HWND strip, UINT message) {
  if (thread) return S_OK;
  Strip = strip;
  StripMessage = message;
  UniqueKernelObject ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  RETURN_LAST_ERROR_IF(!ready);
  ListenStart start = {ready.Get(), E_FAIL};
  thread.Reset(CreateThread(nullptr, 0, Listen, &start, 0, &threadId));
  RETURN_LAST_ERROR_IF(!thread);
  // Ready, or ended for want of a hook.
  const HANDLE either[] = {ready.Get(), thread.Get()};
  WaitForMultipleObjects(2, either, FALSE, INFINITE);
  if (SUCCEEDED(start.hooked)) return S_OK;
  WaitForSingleObject(thread.Get(), INFINITE);
  thread.Reset();
  return start.hooked;
}

void HiddenFocusKey::Stop() {
  if (!thread) return;
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  WaitForSingleObject(thread.Get(), INFINITE);
  thread.Reset();
}

}  // namespace corvane::program
