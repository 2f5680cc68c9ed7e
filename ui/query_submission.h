// Where a search starts on the band's side: Enter in the box or a click on Go.
#pragma once
#include <windows.h>

#include "support/memory.h"

namespace corvane {

struct BandRecord;

// Reads and empties the search box and hands the search to a thread of its
// own; an empty query is refused with a warning box (Go) or a beep (Enter).
void SubmitQuery(BandRecord* band, BOOL fromGoButton);

// Hands `text`, which holds something to search, to a thread of its own as a
// query typed into the box.
void LaunchQuery(BandRecord* band, UniqueMemory<wchar_t> text);

// Posted to the band window when the search numbered wParam could not be
// opened.
constexpr UINT kSearchNotOpenedMessage = WM_APP + 1;

// The text goes back into the box, unless the user typed another since, and
// a warning says that no browser could open it and what to check.
void OnSearchNotOpened(BandRecord* band, WPARAM search);

// Tells the host's window that the box is done with (a search went out, or
// Esc), so that a host that shows the band only when called can put it away.
void ReportBoxDone(BandRecord* band, WPARAM why);

}  // namespace corvane
