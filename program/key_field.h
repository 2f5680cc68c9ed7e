// The settings window's combination field: it takes a combination as it is
// pressed, as the system's hotkey field does (so that Win works), and still
// takes the combination typed as text, which screen readers read either way.
#pragma once
#include <windows.h>

namespace corvane::program {

// Subclasses the edit `field`; false when it could not be.
bool TakeCombinationsAsPressed(HWND field);

}  // namespace corvane::program
