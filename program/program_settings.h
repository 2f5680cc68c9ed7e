// What the program keeps per user: the place the user dragged the strip to
// (two values of its own beside the band's setting) and whether it starts
// with Windows (a value under the user's Run key).
#pragma once
#include <windows.h>

namespace corvane::program {

// The strip's top left corner in screen pixels; false when the user never
// chose one (the strip docks at the taskbar).
bool ReadStripPlace(POINT* place);
HRESULT WriteStripPlace(POINT place);
HRESULT ForgetStripPlace();

bool StartsWithWindows();
// Writes this program's quoted path as the Run value, or removes it.
HRESULT SetStartWithWindows(bool start);

}  // namespace corvane::program
