// The band as screen readers know it: the band window a toolbar named
// Corvane holding the search box and the Go button, the box editable text
// named by its hint.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

class BandAccessibility {
 public:
  explicit BandAccessibility(BandRecord* band) : band(band) {}
  BandAccessibility(const BandAccessibility&) = delete;
  BandAccessibility& operator=(const BandAccessibility&) = delete;

  // Names both edits of the box by the hint, the documented way for
  // standard controls, so that screen readers get the system's objects of
  // them; where the system cannot, the edits answer with objects of their
  // own (AnswerBox). Again whenever the hint changes.
  void NameBoxes();
  // Before the edits go.
  void ForgetBoxNames();

  // Answers to WM_GETOBJECT; false where the window answers as any window.
  bool AnswerBand(WPARAM flags, LPARAM objectId, LRESULT* answer) const;
  bool AnswerBox(HWND edit, WPARAM flags, LPARAM objectId, LRESULT* answer) const;

 private:
  void ForgetNames();

  BandRecord* const band;
  bool namedBySystem = false;
};

}  // namespace corvane
