// The painted Go button at the right of the search box: layout of the row,
// the window region, the tooltip tool, painting and the press/hover states.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// The row of the search box at the band window's DPI.
struct RowGeometry {
  int editWidth;  // never negative
  int top;        // never above the band
  int height;
  int left;
};
RowGeometry RowGeometryOf(const BandRecord* band);

void LayoutBand(BandRecord* band);
void PaintGoButton(BandRecord* band, HDC dc);
void TrackMouseLeave(BandRecord* band);

void GoButtonMouseMove(BandRecord* band, POINT point);
void GoButtonMouseDown(BandRecord* band, POINT point);
void GoButtonMouseUp(BandRecord* band, POINT point);
void GoButtonMouseLeave(BandRecord* band);

}  // namespace corvane
