// How the band's code finds its band from one of its windows: the band
// window keeps the band's record in its user-data word, and the box's two
// edits are its children by these ids.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

constexpr int kSearchEditId = 101;
constexpr int kHintEditId = 102;

// The band a band window (or one of its edits' parent) belongs to, or null
// once the band has let go of it.
BandRecord* BandFromWindow(HWND bandWindow);
// A hint box of a band window (in this session: window handles name windows
// of the caller's session only).
bool IsHintBox(HWND window);

}  // namespace corvane
