#include "ui/shared_hook_state.h"

namespace corvane {

// Initialised data in a section of its own, marked shared, so that the loader
// maps one copy for all processes (characteristics 0xD0000040).
#if defined(_MSC_VER)
#pragma data_seg(".shared")
SharedHookState sharedHookState = {nullptr, nullptr};
#pragma data_seg()
#pragma comment(linker, "/SECTION:.shared,RWS")
#else
__attribute__((section(".shared"), shared))
SharedHookState sharedHookState = {nullptr, nullptr};
#endif

void RemoveFocusHotkey(HHOOK installedHook) {
  if (installedHook == nullptr) return;
  UnhookWindowsHookEx(installedHook);
  // Another band, here or in another process, may have installed since; its
  // handle stays.
  InterlockedCompareExchangePointer(
      reinterpret_cast<PVOID volatile*>(&sharedHookState.hookHandle), nullptr,
      installedHook);
}

}  // namespace corvane
