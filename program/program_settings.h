// What the program keeps per user: the place the user dragged the strip to
// (two values of its own beside the band's setting) and whether it starts
// with Windows. Installed for all users, Corvane starts through the
// machine's Run key, and a user who does not want it keeps a value saying so
// beside the band's setting; otherwise the user's own Run key starts it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "program/strip_placement.h"

namespace corvane::program {

// The strip's top left corner in screen pixels (read with the settings).
HRESULT WriteStripPlace(POINT place);
HRESULT ForgetStripPlace();

// The rows the strips took out of the work area themselves (where no shell
// keeps them), one per monitor, remembered for this session until sign-out,
// as long as the work area lacks them: a program that ends without giving
// them back (a crash) gives them back at its next start.
struct TakenRow {
  TaskbarEdge edge;
  ScreenRect row;
};
HRESULT RememberTakenRow(const std::wstring& monitor, const TakenRow& taken);
std::vector<TakenRow> ReadTakenRows();
HRESULT ForgetTakenRow(const std::wstring& monitor);
HRESULT ForgetTakenRows();

// A policy's StartWithWindows decides for every user: 1 starts Corvane
// whatever the user said, 0 never.
bool StartsWithWindows();
bool StartWithWindowsFixed();
// Where a policy decides, puts the user's Run value in line with it: gone
// for "never", written where no Run value starts Corvane for "start";
// S_FALSE where the user decides.
HRESULT FollowStartPolicy();
// Under the machine's Run value: clears or sets the user's "no"; else writes
// this program's quoted path with the startup switch as the user's Run
// value, or removes it. Refused (ERROR_ACCESS_DISABLED_BY_POLICY) where a
// policy decides.
HRESULT SetStartWithWindows(bool start);

}  // namespace corvane::program
