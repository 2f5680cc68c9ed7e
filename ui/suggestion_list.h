// The window that shows the suggestions: on top of everything, beside the
// search box towards the middle of the screen, in the box's font; it never
// takes the focus, so the box keeps it while the list is used. It tells the
// band window what the user does with it; screen readers read it as a list
// of its entries.
#pragma once
#include <windows.h>

#include "search/suggestion_rows.h"
#include "ui/suggestion_session.h"

namespace corvane {

struct AccessiblePart;
struct BandRecord;

class SuggestionList {
 public:
  // The list of `band`'s box, made hidden at once so that it hears the
  // system's changes.
  SuggestionList(BandRecord* band, const SuggestionTexts& texts);
  ~SuggestionList();
  SuggestionList(const SuggestionList&) = delete;
  SuggestionList& operator=(const SuggestionList&) = delete;

  // Shows `rows`, which the caller keeps while they are shown, sized for
  // them and placed beside the box, with row `chosen` (-1: none) marked.
  void Show(const SuggestionRows* shown, int chosenRow);
  void Hide();
  bool IsShown() const;
  bool HasWindow() const { return window != nullptr; }
  // Something of the rows' look changed.
  void Redraw();
  // The chosen row changed: shown, and told to screen readers.
  void Choose(int chosenRow);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static SuggestionList* Of(HWND window);
  static long PartCount(HWND window);
  static bool DescribePart(HWND window, long part, AccessiblePart* facts);
  static long ChosenPart(HWND window);

  bool MakeWindow();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  int Scaled(int length) const;
  int RowHeight() const;
  int RowAt(LPARAM point) const;
  RECT RowPlace(int row) const;
  void Paint(HDC dc);

  BandRecord* const band;
  const SuggestionTexts texts;
  HWND window = nullptr;
  const SuggestionRows* rows = nullptr;
  int chosen = -1;
  int hot = -1;  // the row under the pointer
};

}  // namespace corvane
