// The window that shows the suggestions: on top of everything, beside the
// search box towards the middle of the screen, in the box's font; it never
// takes the focus, so the box keeps it while the list is used.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// The band a list window shows the rows of, or null once it has let go.
BandRecord* BandOfSuggestionList(HWND list);
// Creates the list hidden, unless the band has one.
void CreateSuggestionList(BandRecord* band);
// Sizes the list for the band's rows, places it and shows it.
void ShowSuggestionList(BandRecord* band);
void HideSuggestionList(BandRecord* band);
// Where a row is, in the list's client coordinates.
RECT SuggestionRowPlace(const BandRecord* band, int row);
bool IsSuggestionListShown(const BandRecord* band);
// Something of the rows' look changed.
void RedrawSuggestionList(BandRecord* band);
// The chosen row changed: shown, and told to screen readers.
void AnnounceChosenSuggestion(BandRecord* band);
// With the band window.
void DestroySuggestionList(BandRecord* band);

}  // namespace corvane
