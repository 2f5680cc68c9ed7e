// The band's own child window inside the site's window, and the controls it
// carries: the search box (two edits), its font and the Go button's tooltip.
#pragma once
#include <windows.h>

#include "ui/band_lookup.h"

namespace corvane {

struct BandRecord;

// Creates the band window covering the client area of parentWindow, unless
// the band has one already. TRUE when the band has a window afterwards.
BOOL CreateBandWindow(BandRecord* band);

// Windows' colours changed: the band takes the mode's and draws itself anew.
void FollowColourChange(BandRecord* band);
// Destroys the band window if it still exists and still belongs to `band`.
void DestroyOwnBandWindow(BandRecord* band);

}  // namespace corvane
