// A click on a search box as the user would make one, and the pointer put
// back where it was: what brings the box the focus from any program in
// front, for a click activates whatever window it lands on.
#pragma once
#include <windows.h>

namespace corvane {

// The point the click lands on: the box's client point (1, 1) on screen;
// {-1, -1} when the box is gone.
POINT BoxClickPoint(HWND box);

// Clicks `box` with the primary button; false, with nothing done, when the
// pointer's place cannot be read. Input the system refuses (a program of
// higher integrity in front) clicks nothing.
bool ClickBox(HWND box);

}  // namespace corvane
