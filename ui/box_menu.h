// The search box's own menu, for a right-click: what an edit offers (undo,
// cut, copy, paste, delete, select all) and "Paste and search". CORVANEUI.DLL
// shows it, in the user's language; the band carries out the choice.
#pragma once
#include <windows.h>

namespace corvane {

// What the menu answers: an edit's own message (WM_UNDO, WM_CUT, WM_COPY,
// WM_PASTE, WM_CLEAR, EM_SETSEL for all), this for "Paste and search", or 0.
constexpr UINT kPasteAndSearchCommand = 1;

// Shows the menu at `screen`, owned by `owner`, its items as `searchEdit`
// can take them (a hidden box is empty), until the user chooses or leaves.
UINT TrackBoxMenu(HWND searchEdit, HWND owner, POINT screen);

// CORVANEUI.DLL's export of it, by name.
using TrackBoxMenuFunction = UINT(WINAPI*)(HWND searchEdit, HWND owner, POINT screen);
inline constexpr char kTrackBoxMenuExport[] = "CorvaneTrackBoxMenu";

}  // namespace corvane
