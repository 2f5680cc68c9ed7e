// Suggestions and recent searches as the user types, in a list beside the
// box. CORVANEUI.DLL makes them (ui/typing_suggestions.h): the list's window,
// its drawing and the requests over the network are for the band's own
// process alone, not for every program the focus key's hook reaches.
// CORVANE.DLL reaches them through this interface and the messages below,
// all to the band window.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// The band window's timer for the pause after a keystroke.
constexpr UINT_PTR kSuggestionPauseTimer = 1;
// Posted: the user clicked row wParam.
constexpr UINT kSuggestionClickedMessage = WM_APP + 2;
// Sent: the list, a top-level window, heard Windows' colours change, which
// the band window, a child, hears only from a host that passes it on.
constexpr UINT kColoursChangedMessage = WM_APP + 3;
// Posted: the list heard that Group Policy applied a change, likewise.
constexpr UINT kPolicyChangedMessage = WM_APP + 4;
// Posted: a request for suggestions is done.
constexpr UINT kSuggestionsAnsweredMessage = WM_APP + 5;

// The texts the list shows from CORVANE.DLL's table (copied: the pointers
// stay CORVANE.DLL's, whose cache outlives every list).
struct SuggestionTexts {
  const wchar_t* recentMark;
  const wchar_t* listName;
};

class SuggestionSession {
 public:
  virtual ~SuggestionSession() = default;
  // The user changed the box's text, or put the focus into it: the list
  // follows after a short pause.
  virtual void OnTextEdited() = 0;
  virtual void OnPause() = 0;
  virtual void OnAnswered() = 0;
  // Down and Up move through the list (showing the chosen text in the box),
  // Esc closes it and gives the typed text back. true when the key was used.
  virtual bool OnKey(WPARAM key) = 0;
  // Puts a row's text into the box; false when there is no such row.
  virtual bool TakeRow(int row) = 0;
  // Closes the list and forgets what it waited for: the box lost the focus,
  // a search started, or the window goes.
  virtual void Close() = 0;
  // Sets the box's text without asking for suggestions for it.
  virtual void SetBoxText(const wchar_t* text) = 0;
  // Something of the rows' look changed.
  virtual void Redraw() = 0;
};

// CORVANEUI.DLL's export, by name: the session of `band`'s box, its list made
// hidden at once so that it hears the system's changes; null without memory
// or a window.
using MakeSuggestionSessionFunction = SuggestionSession*(WINAPI*)(BandRecord* band,
                                                                  const SuggestionTexts* texts);
inline constexpr char kMakeSuggestionSessionExport[] = "CorvaneMakeSuggestionSession";

}  // namespace corvane
