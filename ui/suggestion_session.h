// Suggestions and recent searches as the user types: what the list is to
// show after a pause, the one request out at a time and its answer, and the
// keys that move through the list.
#pragma once
#include <windows.h>

#include "search/suggestion_request.h"
#include "search/suggestion_rows.h"
#include "support/memory.h"

namespace corvane {

class SuggestionFetch;
class SuggestionList;
struct BandRecord;

class SuggestionSession {
 public:
  // The band window's timer for the pause after a keystroke.
  static constexpr UINT_PTR kPauseTimer = 1;
  // Posted to the band window when a request for suggestions is done.
  static UINT AnsweredMessage();

  // For the box of `band`, shown in `list`.
  SuggestionSession(BandRecord* band, SuggestionList* list) : band(band), list(list) {}
  ~SuggestionSession() { Close(); }
  SuggestionSession(const SuggestionSession&) = delete;
  SuggestionSession& operator=(const SuggestionSession&) = delete;

  // The user changed the box's text, or put the focus into it: the list
  // follows after a short pause.
  void OnTextEdited();
  void OnPause();
  void OnAnswered();
  // Down and Up move through the list (showing the chosen text in the box),
  // Esc closes it and gives the typed text back. true when the key was used.
  bool OnKey(WPARAM key);
  // Puts a row's text into the box; false when there is no such row.
  bool TakeRow(int row);
  // Closes the list and forgets what it waited for: the box lost the focus,
  // a search started, or the window goes.
  void Close();
  // Sets the box's text without asking for suggestions for it.
  void SetBoxText(const wchar_t* text);

 private:
  SuggestionRequest RequestForTyped() const;
  void Ask(const SuggestionRequest& request);
  void LetGoOfFetch();
  void ShowRows();

  BandRecord* const band;
  SuggestionList* const list;
  SuggestionRows rows = {};
  int selected = -1;  // -1: the text the user typed
  // The user's own text, which Esc gives back; counted at every edit, so
  // that an answer for an older text is never shown.
  UniqueMemory<wchar_t> typed;
  unsigned edits = 0;
  // At most one request at a time; a newer text waits for it.
  SuggestionFetch* fetch = nullptr;
  unsigned fetchEdits = 0;
  size_t fetchPrefixUnits = 0;
  bool fetchWanted = false;
  // The box's text is being set for the user, not typed by them.
  bool settingText = false;
};

}  // namespace corvane
