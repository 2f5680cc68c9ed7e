#include "search/suggestion_rows.h"

#include "support/ascii_text.h"

namespace corvane {

bool AddSuggestionRow(SuggestionRows* rows, const char16_t* prefix, std::size_t prefixUnits,
                      const char16_t* text, std::size_t textUnits, bool recent) {
  if (rows->count >= kMaxSuggestionRows || textUnits == 0 ||
      textUnits > kMaxSuggestionLength - prefixUnits || prefixUnits > kMaxSuggestionLength)
    return false;
  SuggestionRow& row = rows->rows[rows->count];
  for (std::size_t i = 0; i < prefixUnits; ++i) row.text[i] = prefix[i];
  for (std::size_t i = 0; i < textUnits; ++i) row.text[prefixUnits + i] = text[i];
  row.text[prefixUnits + textUnits] = 0;
  for (std::size_t i = 0; i < rows->count; ++i)
    if (EqualsIgnoringAsciiCase(rows->rows[i].text, row.text)) return false;
  row.recent = recent;
  ++rows->count;
  return true;
}

}  // namespace corvane
