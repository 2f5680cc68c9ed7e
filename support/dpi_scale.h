// Lengths of the band's layout are given for 96 DPI; the band window may sit
// on a screen of another DPI.
#pragma once

namespace corvane {

constexpr int kDefaultDpi = 96;

// `length` pixels at 96 DPI as pixels at `dpi`, rounded to the nearest pixel
// (halves away from zero), so that 96 DPI gives `length` exactly. A DPI of
// zero or below counts as 96.
int ScaleForDpi(int length, int dpi);

}  // namespace corvane
