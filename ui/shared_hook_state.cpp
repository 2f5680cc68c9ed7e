#include "ui/shared_hook_state.h"

namespace corvane {

// Initialised data in a section of its own, marked shared, so that the loader
// maps one copy for all processes (characteristics 0xD0000040).
#if defined(_MSC_VER)
#pragma data_seg(".shared")
SharedHookBlock SharedHookState = {};
#pragma data_seg()
#pragma comment(linker, "/SECTION:.shared,RWS")
#elif defined(__clang__)
// clang has no "shared" attribute: the link step marks the section shared.
__attribute__((section(".shared"))) SharedHookBlock SharedHookState = {};
#else
__attribute__((section(".shared"), shared)) SharedHookBlock SharedHookState = {};
#endif

namespace {

DWORD CurrentSession() {
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  return session;
}

// One atomic read of an entry, also on 32-bit processors.
LONG64 ReadBox(FocusTarget& target) { return InterlockedCompareExchange64(&target.box, 0, 0); }

DWORD SessionOfBox(LONG64 box) { return static_cast<DWORD>(static_cast<ULONG64>(box) >> 32); }

bool IsReusable(LONG64 box, DWORD session) {
  return box == 0 || (SessionOfBox(box) == session && !IsWindow(WindowOfFocusTarget(box)));
}

void RemoveFocusTarget(HWND hintEdit) {
  LONG64 mine = FocusTargetBox(hintEdit, CurrentSession());
  for (FocusTarget& target : SharedHookState.targets)
    if (InterlockedCompareExchange64(&target.box, 0, mine) == mine) return;
}

}  // namespace

HRESULT AddFocusTarget(HWND hintEdit) {
  DWORD session = CurrentSession();
  LONG64 mine = FocusTargetBox(hintEdit, session);
  for (FocusTarget& target : SharedHookState.targets) {
    LONG64 seen = ReadBox(target);
    if (IsReusable(seen, session) &&
        InterlockedCompareExchange64(&target.box, mine, seen) == seen) {
      InterlockedExchange(&target.installation,
                          InterlockedIncrement(&SharedHookState.installations));
      return S_OK;
    }
  }
  return E_OUTOFMEMORY;
}

HWND NewestFocusTarget(bool (*accept)(HWND hintEdit)) {
  DWORD session = CurrentSession();
  HWND newest = nullptr;
  LONG newestInstallation = 0;
  for (FocusTarget& target : SharedHookState.targets) {
    LONG64 box = ReadBox(target);
    if (box == 0 || SessionOfBox(box) != session) continue;
    LONG installation = target.installation;
    // Compared as a difference, so that the order survives the counter's wrap.
    if (newest != nullptr && static_cast<LONG>(static_cast<ULONG>(installation) -
                                               static_cast<ULONG>(newestInstallation)) <= 0)
      continue;
    if (!accept(WindowOfFocusTarget(box))) continue;
    newest = WindowOfFocusTarget(box);
    newestInstallation = installation;
  }
  return newest;
}

void RemoveFocusHotkey(HHOOK installedHook, HWND hintEdit) {
  if (installedHook == nullptr) return;
  UnhookWindowsHookEx(installedHook);
  // Another band, here or in another process, may have installed since; its
  // handle stays.
  InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&SharedHookState.hookHandle),
                                    nullptr, installedHook);
  RemoveFocusTarget(hintEdit);
}

}  // namespace corvane
