// What the strip's menu and the icon's menu share: their items' identifiers,
// the items about the program, and how such a menu is shown.
#pragma once
#include <windows.h>

namespace corvane::program {

// Menu identifiers: the band's own items take a range of their own.
constexpr UINT kStartWithWindows = 1, kResetPosition = 2, kExit = 3, kSettings = 4,
               kPasteAndSearch = 5;
constexpr UINT kFirstBandCommand = 0x100, kLastBandCommand = 0x1FF;

// "Settings..." and "Start with Windows" (checked as Corvane starts, greyed
// where a policy decides).
void AppendProgramItems(HMENU menu);
// Shows `menu` for `owner` at `screen` until the user chooses or leaves;
// the choice, or 0.
UINT TrackMenu(HWND owner, HMENU menu, POINT screen);
// Carries out "Settings..." and "Start with Windows"; false for another item.
bool RunProgramCommand(UINT command);

}  // namespace corvane::program
