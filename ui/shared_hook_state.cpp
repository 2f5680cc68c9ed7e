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

void RemoveFocusHotkey(HHOOK installedHook) {
  if (installedHook == nullptr) return;
  UnhookWindowsHookEx(installedHook);
  // Another band, here or in another process, may have installed since; its
  // handle stays.
  InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&SharedHookState.hookHandle),
                                    nullptr, installedHook);
}

}  // namespace corvane
