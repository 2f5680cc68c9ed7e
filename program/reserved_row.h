// The row the strip keeps for itself along the taskbar's edge, as an
// application bar: the shell takes it out of the work area that maximised
// windows fill; where no shell does, the strip does so itself and gives it
// back when it lets the row go.
#pragma once
#include <windows.h>

#include "program/screen_areas.h"

namespace corvane::program {

class ReservedRow {
 public:
  // Asks the shell for the row of `bar` (an application bar already) along
  // the taskbar of `screen`: `thickness` deep, proposed against the work
  // area the others leave, adjusted by the shell, set only when it changed
  // (each setting makes the shell say the work area changed).
  ScreenRect Keep(HWND bar, HMONITOR monitor, const ScreenFacts& screen, int sliver, int thickness);
  // Gives back a work area the strip set. True when there was a row: the
  // bar's registration must then be renewed without it.
  bool GiveUp(HMONITOR monitor);
  // A new shell knows no row of the strip's.
  void Forget() { edge = TaskbarEdge::None; }

 private:
  ScreenRect row = {};
  TaskbarEdge edge = TaskbarEdge::None;  // None: no row kept
  bool setWorkArea = false;
};

}  // namespace corvane::program
