// The painted Go button at the right of the search box: layout of the row,
// the window region, the tooltip tool, painting and the press/hover states.
#pragma once
#include <windows.h>

namespace corvane {

class SearchBand;

constexpr int kRowHeight = 22;
constexpr int kEditLeft = 2;
constexpr UINT_PTR kGoButtonToolId = 103;

// The row of the search box at the band window's DPI.
struct RowGeometry {
  int editWidth;  // never negative
  int top;        // never above the band
  int height;
  int left;
};
RowGeometry RowGeometryOf(const SearchBand* band);

void LayoutBand(SearchBand* band);
void PaintGoButton(SearchBand* band, HDC dc);
void TrackMouseLeave(SearchBand* band);

void GoButtonMouseMove(SearchBand* band, POINT point);
void GoButtonMouseDown(SearchBand* band, POINT point);
void GoButtonMouseUp(SearchBand* band, POINT point);
void GoButtonMouseLeave(SearchBand* band);

}  // namespace corvane
