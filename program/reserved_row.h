// The row the strip keeps for itself along the taskbar's edge, as an
// application bar: the shell takes it out of the work area that maximised
// windows fill; where no shell does, the strip does so itself and gives it
// back when it lets the row go.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "program/screen_areas.h"

namespace corvane::program {

// How the row speaks to the shell: SHAppBarMessage, or a test's shell.
using AppBarCall = UINT_PTR(WINAPI*)(DWORD message, APPBARDATA* data);

class ReservedRow {
 public:
  explicit ReservedRow(AppBarCall shell = SHAppBarMessage) : shell(shell) {}

  // The rows that strips of this session took out of the work area and
  // never gave back (the program ended without a word) are given back.
  static void GiveBackLeftOver();

  // Asks the shell for the row of `bar` (an application bar already) along
  // the taskbar of `screen`: `thickness` deep, proposed against the work
  // area the others leave, adjusted by the shell, set only when it changed
  // (each setting makes the shell say the work area changed).
  ScreenRect Keep(HWND bar, HMONITOR monitor, const ScreenFacts& screen, int sliver, int thickness);
  // Gives back a work area the strip set. True when there was a row: the
  // bar's registration must then be renewed without it.
  bool GiveUp();
  // A new shell knows no row of the strip's.
  void Forget() { edge = TaskbarEdge::None; }

 private:
  AppBarCall shell;
  ScreenRect row = {};
  TaskbarEdge edge = TaskbarEdge::None;  // None: no row kept
  bool setWorkArea = false;
  std::wstring rememberedAs;  // the monitor the taken row is remembered for
  // The shell may tell the bar that positions changed while it sets the
  // row: the strip asks again meanwhile, and is given the row being set.
  bool settingRow = false;
};

}  // namespace corvane::program
