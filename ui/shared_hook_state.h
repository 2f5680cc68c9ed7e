// What the F12 keyboard hook needs in whichever process it runs: two words
// in a block that every process loading the module shares, naming the
// installation made last. The hint boxes F12 chooses from are listed per
// session beside it (support/session_bands.h).
#pragma once
#include <windows.h>

namespace corvane {

struct SharedHookBlock {
  HHOOK hookHandle;   // the hook installed last, or null
  HWND hookHintEdit;  // the hint box of the band that installed last
};

extern SharedHookBlock SharedHookState;

// Removes the hook a band installed (its own handle, remembered by the band)
// and clears hookHandle when it still names that hook. Nothing happens for a
// null handle. hookHintEdit keeps its value.
void RemoveFocusHotkey(HHOOK installedHook);

}  // namespace corvane
