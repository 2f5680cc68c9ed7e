// The suggestion session as CORVANEUI.DLL keeps it: what the list is to show
// after a pause, the one request out at a time and its answer, and the keys
// that move through the list.
#pragma once
#include <windows.h>

#include "search/suggestion_request.h"
#include "search/suggestion_rows.h"
#include "support/memory.h"
#include "ui/suggestion_list.h"
#include "ui/suggestion_session.h"

namespace corvane {

class SuggestionFetch;

class TypingSuggestions final : public SuggestionSession {
 public:
  TypingSuggestions(BandRecord* band, const SuggestionTexts& texts)
      : band(band), list(band, texts) {}
  ~TypingSuggestions() override { Close(); }
  TypingSuggestions(const TypingSuggestions&) = delete;
  TypingSuggestions& operator=(const TypingSuggestions&) = delete;

  // Whether the list's window could be made.
  bool HasList() const { return list.HasWindow(); }

  void OnTextEdited() override;
  void OnPause() override;
  void OnAnswered() override;
  bool OnKey(WPARAM key) override;
  bool TakeRow(int row) override;
  void Close() override;
  void SetBoxText(const wchar_t* text) override;
  void Redraw() override { list.Redraw(); }

 private:
  SuggestionRequest RequestForTyped() const;
  void Ask(const SuggestionRequest& request);
  void LetGoOfFetch();
  void ShowRows();

  BandRecord* const band;
  SuggestionList list;
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
