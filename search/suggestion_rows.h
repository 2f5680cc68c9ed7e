// What the list under the search box shows: the user's recent searches
// first, then the engine's suggestions, each text at most once.
// Platform-free.
#pragma once
#include <cstddef>

namespace corvane {

constexpr std::size_t kMaxSuggestionRows = 8;
// UTF-16 units; a longer text is not shown (nor remembered).
constexpr std::size_t kMaxSuggestionLength = 200;

struct SuggestionRow {
  bool recent;
  char16_t text[kMaxSuggestionLength + 1];
};

struct SuggestionRows {
  std::size_t count;
  SuggestionRow rows[kMaxSuggestionRows];
};

// Appends `prefix` (`prefixUnits` units) followed by `text` (`textUnits`
// units) unless the rows are full, the text is empty or too long, or a row
// already shows it (ASCII case ignored). True when appended.
bool AddSuggestionRow(SuggestionRows* rows, const char16_t* prefix, std::size_t prefixUnits,
                      const char16_t* text, std::size_t textUnits, bool recent);

}  // namespace corvane
