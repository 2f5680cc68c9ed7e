#include "ui/suggestions.h"

#include "band/band_record.h"
#include "search/recent_search_store.h"
#include "search/suggestion_fetch.h"
#include "search/suggestion_http.h"
#include "search/suggestion_request.h"
#include "support/bounded_string.h"
#include "support/wide_text.h"
#include "ui/query_submission.h"
#include "ui/suggestion_list.h"

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

void LetGoOfFetch(SuggestionState& state) {
  if (state.fetch != nullptr) state.fetch->Abandon();
  state.fetch = nullptr;
  state.fetchWanted = false;
}

// Asks `request`, unless a younger request is still out: then the newer
// text is asked for once that one is done.
void AskForSuggestions(BandRecord* band, const SuggestionRequest& request) {
  SuggestionState& state = band->suggestions;
  if (state.fetch != nullptr && !state.fetch->Done() &&
      state.fetch->Age() <= kSuggestionTimeLimitMs) {
    state.fetchWanted = true;
    return;
  }
  LetGoOfFetch(state);
  if (!request.address) return;
  state.fetch =
      SuggestionFetch::Start(request.address.Get(), band->bandWindow, SuggestionsAnsweredMessage());
  state.fetchEdits = state.edits;
  state.fetchPrefixUnits = request.prefixUnits;
}

// What the typed text is to be asked for, while suggestions are on.
SuggestionRequest RequestFor(const BandRecord* band) {
  const SuggestionState& state = band->suggestions;
  return band->settings.suggestions ? BuildSuggestionRequest(state.typed.Get())
                                    : SuggestionRequest();
}

void ShowRows(BandRecord* band) {
  band->suggestions.selected = -1;
  band->suggestions.hot = -1;
  if (band->suggestions.rows.count != 0)
    ShowSuggestionList(band);
  else
    HideSuggestionList(band);
}

}  // namespace

UINT SuggestionsAnsweredMessage() {
  static UINT message = 0;
  if (message == 0) message = RegisterWindowMessageW(L"Ostrand.Corvane.SuggestionsAnswered");
  return message;
}

void OnSearchTextEdited(BandRecord* band) {
  SuggestionState& state = band->suggestions;
  if (state.settingText) return;
  ++state.edits;
  state.typed = BoxText(band->searchEdit);
  SetTimer(band->bandWindow, kSuggestionPauseTimer, kPauseMs, nullptr);
}

void OnSuggestionPause(BandRecord* band) {
  KillTimer(band->bandWindow, kSuggestionPauseTimer);
  SuggestionState& state = band->suggestions;
  if (!state.typed || GetFocus() != band->searchEdit) return;
  SuggestionRequest request = RequestFor(band);
  state.rows.count = 0;
  AddRecentSearches(state.typed.Get(),
                    request.address ? kRecentRowsBesideSuggestions : kMaxSuggestionRows,
                    &state.rows);
  ShowRows(band);
  if (request.address) AskForSuggestions(band, request);
}

void OnSuggestionsAnswered(BandRecord* band) {
  SuggestionState& state = band->suggestions;
  if (state.fetch == nullptr || !state.fetch->Done()) return;
  if (state.fetchEdits == state.edits && state.typed && GetFocus() == band->searchEdit) {
    // The recent searches stay first; suggestions follow, each text once.
    size_t recent = 0;
    while (recent < state.rows.count && state.rows.rows[recent].recent) ++recent;
    state.rows.count = recent;
    const SuggestionRows& answer = state.fetch->Rows();
    const char16_t* prefix = AsUtf16(state.typed.Get());
    for (size_t i = 0; i < answer.count; ++i) {
      const char16_t* text = answer.rows[i].text;
      AddSuggestionRow(&state.rows, prefix, state.fetchPrefixUnits, text,
                       BoundedLength(text, kMaxSuggestionLength + 1), false);
    }
    ShowRows(band);
  }
  const bool wanted = state.fetchWanted;
  LetGoOfFetch(state);
  if (wanted && state.typed) AskForSuggestions(band, RequestFor(band));
}

bool OnSuggestionKey(BandRecord* band, WPARAM key) {
  SuggestionState& state = band->suggestions;
  const int count = static_cast<int>(state.rows.count);
  if (count == 0 || (key != VK_DOWN && key != VK_UP && key != VK_ESCAPE)) return false;
  const bool shown = IsSuggestionListShown(band);
  if (key == VK_ESCAPE) {
    if (!shown) return false;
    HideSuggestionList(band);
    if (state.selected >= 0 && state.typed) SetSearchText(band, state.typed.Get());
    state.selected = -1;
    return true;
  }
  if (!shown) {
    ShowRows(band);
    return true;
  }
  // From the typed text through the rows and back to it.
  int next = state.selected + (key == VK_DOWN ? 1 : -1);
  if (next >= count) next = -1;
  if (next < -1) next = count - 1;
  state.selected = next;
  SetSearchText(band, next >= 0                      ? AsWide(state.rows.rows[next].text)
                      : state.typed.Get() != nullptr ? state.typed.Get()
                                                     : L"");
  AnnounceChosenSuggestion(band);
  return true;
}

void SearchSuggestion(BandRecord* band, int row) {
  if (row < 0 || static_cast<size_t>(row) >= band->suggestions.rows.count) return;
  SetSearchText(band, AsWide(band->suggestions.rows.rows[row].text));
  SubmitQuery(band, FALSE);
}

void CloseSuggestions(BandRecord* band) {
  SuggestionState& state = band->suggestions;
  if (band->bandWindow != nullptr) KillTimer(band->bandWindow, kSuggestionPauseTimer);
  HideSuggestionList(band);
  LetGoOfFetch(state);
  state.rows.count = 0;
  state.selected = -1;
}

void SetSearchText(BandRecord* band, const wchar_t* text) {
  band->suggestions.settingText = true;
  SetWindowTextW(band->searchEdit, text);
  band->suggestions.settingText = false;
  const LPARAM end = GetWindowTextLengthW(band->searchEdit);
  SendMessageW(band->searchEdit, EM_SETSEL, end, end);
}

}  // namespace corvane
