// The focus key the user chose, taken and given back by each band: F12's
// keyboard hook, nothing, or a key combination registered with the system
// for the band window (which loads CORVANE.DLL into no other program).
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// The id of the band window's registered combination (WM_HOTKEY's wParam).
constexpr int kFocusKeyHotkeyId = 1;

// Takes the focus key of the band's settings. Fails only when F12's hook
// cannot be installed; S_FALSE for a combination the system gives to another
// (a band of the session that holds it already, or another program).
HRESULT BindFocusKey(BandRecord* band);
// Gives back the hook or the combination the band holds. True when it held
// the combination: another band may take it now.
bool UnbindFocusKey(BandRecord* band);
// The settings changed, or a band gave the combination back: takes the key
// of the band's settings when it differs from what the band holds.
void RebindFocusKey(BandRecord* band);

}  // namespace corvane
