// The two edits that make the search box: the grey hint shown while the box
// is not in use, and the edit the query is typed into.
#pragma once
#include <windows.h>

namespace corvane {

LRESULT CALLBACK SearchEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HintEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// Puts `procedure` in front of the edit's own and returns the edit's own,
// which the band keeps.
WNDPROC SubclassEdit(HWND edit, WNDPROC procedure);

}  // namespace corvane
