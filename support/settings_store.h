// The one per-user setting: whether the band shows its Go button, kept as
// "ShowGoButton" (REG_DWORD) under HKCU\SOFTWARE\Ostrand\Corvane\1.0.
#pragma once
#include <windows.h>

namespace corvane {

// 1 when a valid value was found; only then, and only for a non-null target,
// stores 1 (shown) or 0 (hidden) there.
BOOL ReadShowGoButton(BOOL* show);
// Stores 1 or 0, creating the key when it is missing. 1 when stored.
BOOL WriteShowGoButton(BOOL show);

}  // namespace corvane
