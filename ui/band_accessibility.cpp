#include "ui/band_accessibility.h"

#include <oleacc.h>

#include "band/band_record.h"
#include "res/resource_ids.h"
#include "support/resource_strings.h"
#include "support/system_library.h"
#include "support/ui_module.h"
#include "support/wide_text.h"
#include "ui/accessible_answer.h"
#include "ui/accessible_window.h"
#include "ui/band_lookup.h"
#include "ui/query_submission.h"

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

const AccessibleParts kBandParts = {BandPartCount, DescribeBand, PressGoButton, nullptr};
const AccessibleParts kBoxParts = {NoParts, DescribeBox, nullptr, nullptr};

}  // namespace

void BandAccessibility::ForgetNames() {
  ForgetAnnotatedNameFunction forget;
  if (!FindFunction(UiModule(), kForgetAnnotatedNameExport, &forget)) return;
  forget(band->searchEdit);
  forget(band->hintEdit);
}

void BandAccessibility::NameBoxes() {
  ForgetBoxNames();
  AnnotateNameFunction annotate;
  if (!FindFunction(UiModule(), kAnnotateNameExport, &annotate)) return;
  const wchar_t* name = band->hint;
  namedBySystem = annotate(band->searchEdit, name) && annotate(band->hintEdit, name);
  // Both edits answer alike: a name given to one alone is taken back.
  if (!namedBySystem) ForgetNames();
}

void BandAccessibility::ForgetBoxNames() {
  if (!namedBySystem) return;
  ForgetNames();
  namedBySystem = false;
}

bool BandAccessibility::AnswerBand(WPARAM flags, LPARAM objectId, LRESULT* answer) const {
  return AnswerWithParts(band->bandWindow, flags, objectId, &kBandParts, answer);
}

bool BandAccessibility::AnswerBox(HWND edit, WPARAM flags, LPARAM objectId, LRESULT* answer) const {
  return !namedBySystem && AnswerWithParts(edit, flags, objectId, &kBoxParts, answer);
}

}  // namespace corvane
