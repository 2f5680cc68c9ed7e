#include "ui/search_hint.h"

#include "band/band_record.h"
#include "res/resource_ids.h"
#include "search/user_engines.h"
#include "support/bounded_string.h"
#include "support/resource_strings.h"
#include "support/wide_text.h"
#include "ui/band_accessibility.h"

namespace corvane {

void TakeSearchHint(BandRecord* band) {
  UniqueMemory<wchar_t> engine = ReadDefaultEngineName();
  if (engine && BoundedFormat(AsUtf16(band->hint), kMaxHintUnits,
                              AsUtf16(LoadResString(IDS_SEARCH_WITH)), engine.Get()) == kResultOk)
    return;
  // Google's country site, or a text that could not be composed: the hint
  // every language has.
  BoundedCopy(AsUtf16(band->hint), kMaxHintUnits, AsUtf16(LoadResString(IDS_SEARCH_HINT)));
}

void FollowSearchHint(BandRecord* band) {
  if (band->hintEdit == nullptr) return;
  TakeSearchHint(band);
  SetWindowTextW(band->hintEdit, band->hint);
  if (band->accessibility != nullptr) band->accessibility->NameBoxes();
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, band->hintEdit, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, band->searchEdit, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace corvane
