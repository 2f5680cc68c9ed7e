// What the F12 keyboard hook needs in whichever process it runs: two words
// that every process loading the module shares.
#pragma once
#include <windows.h>

namespace corvane {

struct SharedHookState {
  HHOOK hookHandle;    // the hook installed last, or null
  HWND hookHintEdit;   // the hint box of the band that installed last
};

extern SharedHookState sharedHookState;

// Removes the hook a band installed (its own handle, remembered by the band)
// and clears hookHandle when it still names that hook. Nothing happens for
// a null handle. hookHintEdit keeps its value.
void RemoveFocusHotkey(HHOOK installedHook);

}  // namespace corvane
