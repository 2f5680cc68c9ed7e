// The focus key the user chose, taken and given back by each band: F12's
// keyboard hook, nothing, or a key combination registered with the system
// for the band window (which loads CORVANE.DLL into no other program).
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// The ids of the band window's registered combinations (WM_HOTKEY's
// wParam): the focus key's, and the key that searches the clipboard's text.
constexpr int kFocusKeyHotkeyId = 1;
constexpr int kClipboardKeyHotkeyId = 2;

// Takes the focus key of the band's settings, and its key that searches the
// clipboard. Fails only when F12's hook cannot be installed; a combination
// the system gives to another (a band of the session that holds it already,
// or another program) is left to it.
HRESULT BindFocusKey(BandRecord* band);
// Gives back the hook and the combinations the band holds. True when it held
// a combination: another band may take it now.
bool UnbindFocusKey(BandRecord* band);
// The settings changed, or a band gave a combination back: takes each key
// of the band's settings that differs from what the band holds.
void RebindFocusKey(BandRecord* band);

}  // namespace corvane
