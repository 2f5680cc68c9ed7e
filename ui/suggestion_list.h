// The window that shows the suggestions: on top of everything, beside the
// search box towards the middle of the screen, in the box's font; it never
// takes the focus, so the box keeps it while the list is used.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// Sizes the list for the band's rows, places it and shows it.
void ShowSuggestionList(BandRecord* band);
void HideSuggestionList(BandRecord* band);
bool IsSuggestionListShown(const BandRecord* band);
// The chosen row changed.
void RedrawSuggestionList(BandRecord* band);
// With the band window.
void DestroySuggestionList(BandRecord* band);

}  // namespace corvane
