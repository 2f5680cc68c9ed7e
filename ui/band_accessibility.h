// The band as screen readers know it: the band window a toolbar named
// Corvane holding the search box and the Go button, the box editable text
// named by its hint, the suggestion list a list of its entries.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// Names both edits of the box the documented way for standard controls, so
// that screen readers get the system's objects of them; where the system
// cannot, the edits answer with objects of their own (AnswerBoxObject).
void NameBoxes(BandRecord* band);
void ForgetBoxNames(BandRecord* band);

// Answers to WM_GETOBJECT; false where the window answers as any window.
bool AnswerBandObject(BandRecord* band, WPARAM flags, LPARAM objectId, LRESULT* answer);
bool AnswerBoxObject(HWND edit, WPARAM flags, LPARAM objectId, LRESULT* answer);
bool AnswerListObject(BandRecord* band, WPARAM flags, LPARAM objectId, LRESULT* answer);

}  // namespace corvane
