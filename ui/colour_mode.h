// The taskbar's colours as Windows has them now, and the messages that say
// they changed.
#pragma once
#include <windows.h>

#include "support/band_colours.h"

namespace corvane {

// High contrast first; then the taskbar's light or dark mode.
ColourMode CurrentColourMode();
BandColours CurrentBandColours();

// A change of mode, of high contrast or of the system's colours.
bool IsColourChange(UINT message, WPARAM wParam, LPARAM lParam);

// Fills `area` with one of the colours, without a brush of its own.
void FillWithColour(HDC dc, const RECT& area, COLORREF colour);

}  // namespace corvane
