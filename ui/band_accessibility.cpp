#include "ui/band_accessibility.h"

#include <oleacc.h>

#include "band/band_record.h"
#include "res/resource_ids.h"
#include "support/resource_strings.h"
#include "support/wide_text.h"
#include "support/system_library.h"
#include "support/ui_module.h"
#include "ui/accessible_window.h"
#include "ui/band_window.h"
#include "ui/query_submission.h"
#include "ui/suggestion_list.h"

namespace corvane {
namespace {

constexpr long kBoxPart = 1, kGoButtonPart = 2;

// The edit the user sees: the hint until the box has the focus.
HWND ShownEdit(const BandRecord* band) {
  return IsWindowVisible(band->hintEdit) ? band->hintEdit : band->searchEdit;
}

long FocusState(HWND window) {
  return STATE_SYSTEM_FOCUSABLE | (GetFocus() == window ? STATE_SYSTEM_FOCUSED : 0);
}

long BandPartCount(HWND window) {
  const BandRecord* band = BandFromWindow(window);
  if (band == nullptr || band->searchEdit == nullptr) return 0;
  return band->showGoButton ? kGoButtonPart : kBoxPart;
}

bool DescribeBand(HWND window, long part, AccessiblePart* facts) {
  const BandRecord* band = BandFromWindow(window);
  if (band == nullptr) return false;
  if (part == CHILDID_SELF) {
    facts->role = ROLE_SYSTEM_TOOLBAR;
    facts->name = LoadResString(IDS_PRODUCT_NAME);
  } else if (part == kBoxPart) {
    facts->role = ROLE_SYSTEM_TEXT;
    facts->name = band->hint;
    facts->window = ShownEdit(band);
  } else {
    facts->role = ROLE_SYSTEM_PUSHBUTTON;
    facts->name = LoadResString(IDS_GO_TOOLTIP);
    facts->defaultAction = LoadResString(IDS_PRESS);
    facts->state =
        (band->goPressed ? STATE_SYSTEM_PRESSED : 0) | (band->goHot ? STATE_SYSTEM_HOTTRACKED : 0);
    facts->place = band->goButtonRect;
  }
  return true;
}

// The Go button's action is its click's.
bool PressGoButton(HWND window, long part) {
  BandRecord* band = BandFromWindow(window);
  if (band == nullptr || part != kGoButtonPart) return false;
  SubmitQuery(band, TRUE);
  return true;
}

long NoParts(HWND) { return 0; }

bool DescribeBox(HWND edit, long part, AccessiblePart* facts) {
  const BandRecord* band = BandFromWindow(GetParent(edit));
  if (band == nullptr || part != CHILDID_SELF) return false;
  facts->role = ROLE_SYSTEM_TEXT;
  facts->name = band->hint;
  facts->state = FocusState(edit);
  // The hint box shows the hint, not a value of the user's.
  if (edit == band->searchEdit) facts->valueOf = edit;
  return true;
}

long ListPartCount(HWND list) {
  const BandRecord* band = BandOfSuggestionList(list);
  return band != nullptr ? static_cast<long>(band->suggestions.rows.count) : 0;
}

bool DescribeList(HWND list, long part, AccessiblePart* facts) {
  const BandRecord* band = BandOfSuggestionList(list);
  if (band == nullptr) return false;
  if (part == CHILDID_SELF) {
    facts->role = ROLE_SYSTEM_LIST;
    facts->name = LoadResString(IDS_SUGGESTIONS);
    facts->state = IsWindowVisible(list) ? 0 : STATE_SYSTEM_INVISIBLE;
    return true;
  }
  const int row = static_cast<int>(part - 1);
  const SuggestionRow& shown = band->suggestions.rows.rows[row];
  facts->role = ROLE_SYSTEM_LISTITEM;
  facts->name = AsWide(shown.text);
  if (shown.recent) facts->description = LoadResString(IDS_RECENT_SEARCH);
  facts->state =
      STATE_SYSTEM_SELECTABLE |
      (row == band->suggestions.selected ? STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED : 0);
  facts->place = SuggestionRowPlace(band, row);
  return true;
}

long ChosenRow(HWND list) {
  const BandRecord* band = BandOfSuggestionList(list);
  return band != nullptr ? band->suggestions.selected + 1 : 0;
}

const AccessibleParts kBandParts = {BandPartCount, DescribeBand, PressGoButton, nullptr};
const AccessibleParts kBoxParts = {NoParts, DescribeBox, nullptr, nullptr};
const AccessibleParts kListParts = {ListPartCount, DescribeList, nullptr, ChosenRow};

// The objects are the UI module's: asked only here, in the band's process.
bool Answer(HWND window, WPARAM flags, LPARAM objectId, const AccessibleParts* parts,
            LRESULT* answer) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT) return false;
  AnswerAccessibleObjectFunction answerObject;
  return FindFunction(UiModule(), kAnswerAccessibleObjectExport, &answerObject) &&
         answerObject(window, flags, objectId, parts, answer);
}

}  // namespace

namespace {

void ForgetNames(BandRecord* band) {
  ForgetAnnotatedNameFunction forget;
  if (!FindFunction(UiModule(), kForgetAnnotatedNameExport, &forget)) return;
  forget(band->searchEdit);
  forget(band->hintEdit);
}

}  // namespace

void NameBoxes(BandRecord* band) {
  AnnotateNameFunction annotate;
  if (!FindFunction(UiModule(), kAnnotateNameExport, &annotate)) return;
  const wchar_t* name = band->hint;
  band->boxesNamedBySystem =
      annotate(band->searchEdit, name) && annotate(band->hintEdit, name) ? TRUE : FALSE;
  // Both edits answer alike: a name given to one alone is taken back.
  if (!band->boxesNamedBySystem) ForgetNames(band);
}

void ForgetBoxNames(BandRecord* band) {
  if (!band->boxesNamedBySystem) return;
  ForgetNames(band);
  band->boxesNamedBySystem = FALSE;
}

bool AnswerBandObject(BandRecord* band, WPARAM flags, LPARAM objectId, LRESULT* answer) {
  return Answer(band->bandWindow, flags, objectId, &kBandParts, answer);
}

bool AnswerBoxObject(HWND edit, WPARAM flags, LPARAM objectId, LRESULT* answer) {
  return Answer(edit, flags, objectId, &kBoxParts, answer);
}

bool AnswerListObject(BandRecord* band, WPARAM flags, LPARAM objectId, LRESULT* answer) {
  return Answer(band->suggestions.list, flags, objectId, &kListParts, answer);
}

}  // namespace corvane
