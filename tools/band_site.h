// Plays the shell's part for a band, for the host program and the tests: a
// site offering the host window (IOleWindow) and focus notices
// (IInputObjectSite), and the band made through the DLL's class object.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace corvane::host {

struct FocusNotice {
  IUnknown* object;
  BOOL focused;
};

// Lives on its host's stack or in a member: its count is kept but never
// frees it.
class BandSite final : public IOleWindow, public IInputObjectSite {
 public:
  explicit BandSite(HWND window, bool offerOleWindow = true, bool offerInputObjectSite = true)
      : window(window),
        offerOleWindow(offerOleWindow),
        offerInputObjectSite(offerInputObjectSite) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refCount; }
  STDMETHODIMP_(ULONG) Release() override { return --refCount; }
  STDMETHODIMP GetWindow(HWND* out) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // As the shell's site does: records the notice, asks the object for its
  // IInputObject and lets it go again.
  STDMETHODIMP OnFocusChangeIS(IUnknown* object, BOOL focused) override;

  IUnknown* Unknown() { return static_cast<IOleWindow*>(this); }
  ULONG RefCount() const { return refCount; }
  const std::vector<FocusNotice>& Notices() const { return notices; }

 private:
  HWND window;
  bool offerOleWindow;
  bool offerInputObjectSite;
  ULONG refCount = 1;
  std::vector<FocusNotice> notices;
};

// A new band from `dll` through DllGetClassObject and the factory, or null.
IDeskBand* CreateBandFrom(HMODULE dll);
// A new band through COM activation of the registered class, or null.
IDeskBand* CreateRegisteredBand();
// IObjectWithSite::SetSite on the band.
HRESULT SetBandSite(IUnknown* band, IUnknown* site);

}  // namespace corvane::host
