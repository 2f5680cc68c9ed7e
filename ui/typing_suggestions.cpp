#include "ui/typing_suggestions.h"

#include "band/band_record.h"
#include "search/recent_search_store.h"
#include "search/suggestion_fetch.h"
#include "search/suggestion_http.h"
#include "support/bounded_string.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// Long enough that a word typed at speed asks once.
constexpr UINT kPauseMs = 150;
// Recent searches leave the rest of the list to suggestions.
constexpr size_t kRecentRowsBesideSuggestions = 3;

UniqueMemory<wchar_t> BoxText(HWND edit) {
  int length = GetWindowTextLengthW(edit);
  if (length < 0) length = 0;
  UniqueMemory<wchar_t> text(AllocArray<wchar_t>(static_cast<size_t>(length) + 2));
  if (text) GetWindowTextW(edit, text.Get(), length + 1);
  return text;
}

}  // namespace

void TypingSuggestions::LetGoOfFetch() {
  if (fetch != nullptr) fetch->Abandon();
  fetch = nullptr;
  fetchWanted = false;
}

// Asks `request`, unless a younger request is still out: then the newer
// text is asked for once that one is done.
void TypingSuggestions::Ask(const SuggestionRequest& request) {
  if (fetch != nullptr && !fetch->Done() && fetch->Age() <= kSuggestionTimeLimitMs) {
    fetchWanted = true;
    return;
  }
  LetGoOfFetch();
  if (!request.address) return;
  fetch =
      SuggestionFetch::Start(request.address.Get(), band->bandWindow, kSuggestionsAnsweredMessage);
  fetchEdits = edits;
  fetchPrefixUnits = request.prefixUnits;
}

// What the typed text is to be asked for, while suggestions are on.
SuggestionRequest TypingSuggestions::RequestForTyped() const {
  return band->settings.suggestions ? BuildSuggestionRequest(typed.Get()) : SuggestionRequest();
}

void TypingSuggestions::ShowRows() {
  selected = -1;
  if (rows.count != 0)
    list.Show(&rows, selected);
  else
    list.Hide();
}

void TypingSuggestions::OnTextEdited() {
  if (settingText) return;
  ++edits;
  typed = BoxText(band->searchEdit);
  SetTimer(band->bandWindow, kSuggestionPauseTimer, kPauseMs, nullptr);
}

void TypingSuggestions::OnPause() {
  KillTimer(band->bandWindow, kSuggestionPauseTimer);
  if (!typed || GetFocus() != band->searchEdit) return;
  SuggestionRequest request = RequestForTyped();
  rows.count = 0;
  AddRecentSearches(typed.Get(),
                    request.address ? kRecentRowsBesideSuggestions : kMaxSuggestionRows, &rows);
  ShowRows();
  if (request.address) Ask(request);
}

void TypingSuggestions::OnAnswered() {
  if (fetch == nullptr || !fetch->Done()) return;
  if (fetchEdits == edits && typed && GetFocus() == band->searchEdit) {
    // The recent searches stay first; suggestions follow, each text once.
    size_t recent = 0;
    while (recent < rows.count && rows.rows[recent].recent) ++recent;
    rows.count = recent;
    const SuggestionRows& answer = fetch->Rows();
    const char16_t* prefix = AsUtf16(typed.Get());
    for (size_t i = 0; i < answer.count; ++i) {
      const char16_t* text = answer.rows[i].text;
      AddSuggestionRow(&rows, prefix, fetchPrefixUnits, text,
                       BoundedLength(text, kMaxSuggestionLength + 1), false);
    }
    ShowRows();
  }
  const bool wanted = fetchWanted;
  LetGoOfFetch();
  if (wanted && typed) Ask(RequestForTyped());
}

bool TypingSuggestions::OnKey(WPARAM key) {
  const int count = static_cast<int>(rows.count);
  if (count == 0 || (key != VK_DOWN && key != VK_UP && key != VK_ESCAPE)) return false;
  const bool shown = list.IsShown();
  if (key == VK_ESCAPE) {
    if (!shown) return false;
    list.Hide();
    if (selected >= 0 && typed) SetBoxText(typed.Get());
    selected = -1;
    return true;
  }
  if (!shown) {
    ShowRows();
    return true;
  }
  // From the typed text through the rows and back to it.
  int next = selected + (key == VK_DOWN ? 1 : -1);
  if (next >= count) next = -1;
  if (next < -1) next = count - 1;
  selected = next;
  SetBoxText(next >= 0 ? AsWide(rows.rows[next].text) : typed.Get() != nullptr ? typed.Get() : L"");
  list.Choose(selected);
  return true;
}

bool TypingSuggestions::TakeRow(int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows.count) return false;
  SetBoxText(AsWide(rows.rows[row].text));
  return true;
}

void TypingSuggestions::Close() {
  if (band->bandWindow != nullptr) KillTimer(band->bandWindow, kSuggestionPauseTimer);
  list.Hide();
  LetGoOfFetch();
  rows.count = 0;
  selected = -1;
}

void TypingSuggestions::SetBoxText(const wchar_t* text) {
  settingText = true;
  SetWindowTextW(band->searchEdit, text);
  settingText = false;
  const LPARAM end = GetWindowTextLengthW(band->searchEdit);
  SendMessageW(band->searchEdit, EM_SETSEL, end, end);
}

}  // namespace corvane
