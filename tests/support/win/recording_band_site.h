// The taskbar's site as tests need it: it records the band's focus notices
// and can leave out either of its interfaces.
#pragma once
#include <windows.h>

#include <vector>

#include "program/band_site.h"

namespace corvane::test {

struct FocusNotice {
  IUnknown* object;
  BOOL focused;
};

class RecordingBandSite final : public program::BandSite {
 public:
  explicit RecordingBandSite(HWND window, bool offerOleWindow = true,
                             bool offerInputObjectSite = true)
      : BandSite(window),
        offerOleWindow(offerOleWindow),
        offerInputObjectSite(offerInputObjectSite) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refCount; }
  STDMETHODIMP_(ULONG) Release() override { return --refCount; }
  // As the shell's site does: records the notice, asks the object for its
  // IInputObject and lets it go again.
  STDMETHODIMP OnFocusChangeIS(IUnknown* object, BOOL focused) override;

  const std::vector<FocusNotice>& Notices() const { return notices; }
  // 1 once every reference the band took is given back.
  ULONG RefCount() const { return refCount; }

 private:
  bool offerOleWindow;
  bool offerInputObjectSite;
  std::vector<FocusNotice> notices;
  ULONG refCount = 1;
};

// A new band from `dll`, or null.
IDeskBand* BandFrom(HMODULE dll);

}  // namespace corvane::test
