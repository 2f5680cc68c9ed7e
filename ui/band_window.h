// The band's own child window inside the site's window, and the controls it
// carries: the search box (two edits), its font and the Go button's tooltip.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// Control ids of the two edits that make the search box.
constexpr int kSearchEditId = 101;
constexpr int kHintEditId = 102;

// Creates the band window covering the client area of parentWindow, unless
// the band has one already. TRUE when the band has a window afterwards.
BOOL CreateBandWindow(BandRecord* band);

// The band a band window (or one of its edits' parent) belongs to, or null
// once the band has let go of it.
BandRecord* BandFromWindow(HWND bandWindow);
// A hint box of a band window (in this session: window handles name windows
// of the caller's session only).
bool IsHintBox(HWND window);
// Windows' colours changed: the band takes the mode's and draws itself anew.
void FollowColourChange(BandRecord* band);
// Destroys the band window if it still exists and still belongs to `band`.
void DestroyOwnBandWindow(BandRecord* band);

}  // namespace corvane
