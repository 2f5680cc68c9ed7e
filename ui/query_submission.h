// Where a search starts on the band's side: Enter in the box or a click on Go.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// Reads and empties the search box and hands the search to a thread of its
// own; an empty query is refused with a warning box (Go) or a beep (Enter).
void SubmitQuery(BandRecord* band, BOOL fromGoButton);

// Tells the host's window that the box is done with (a search went out, or
// Esc), so that a host that shows the band only when called can put it away.
void ReportBoxDone(BandRecord* band, WPARAM why);

}  // namespace corvane
