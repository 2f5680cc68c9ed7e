// What the program keeps per user: the place the user dragged the strip to
// (two values of its own beside the band's setting) and whether it starts
// with Windows. Installed for all users, Corvane starts through the
// machine's Run key, and a user who does not want it keeps a value saying so
// beside the band's setting; otherwise the user's own Run key starts it.
#pragma once
#include <windows.h>

#include "program/strip_placement.h"

namespace corvane::program {

// The strip's top left corner in screen pixels; false when the user never
// chose one (the strip docks at the taskbar).
bool ReadStripPlace(POINT* place);
HRESULT WriteStripPlace(POINT place);
HRESULT ForgetStripPlace();

struct StripPlacement {
  StripMode mode;
  StripMonitor monitor;
};
// Absent or unknown values read as floating on the primary monitor.
StripPlacement ReadStripPlacement();
HRESULT WriteStripPlacement(const StripPlacement& placement);

bool StartsWithWindows();
// Under the machine's Run value: clears or sets the user's "no"; else writes
// this program's quoted path with the startup switch as the user's Run
// value, or removes it.
HRESULT SetStartWithWindows(bool start);

}  // namespace corvane::program
