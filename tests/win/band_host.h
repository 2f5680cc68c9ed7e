// Plays the shell for the band in tests: a top-level window as the site's
// window, a site offering IOleWindow and IInputObjectSite (or not), and the
// band made through the DLL's class object.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

namespace corvane::testing {

struct FocusNotice {
  IUnknown* object;
  BOOL focused;
};

class TestSite final : public IOleWindow, public IInputObjectSite {
 public:
  TestSite(HWND window, bool offerOleWindow, bool offerInputObjectSite)
      : window_(window), offerOleWindow_(offerOleWindow),
        offerInputObjectSite_(offerInputObjectSite) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refCount_; }
  STDMETHODIMP_(ULONG) Release() override { return --refCount_; }  // on the stack
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // As the shell's site does: it asks the object it is told about for its
  // IInputObject and lets it go again.
  STDMETHODIMP OnFocusChangeIS(IUnknown* object, BOOL focused) override {
    notices.push_back({object, focused});
    IInputObject* inputObject = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IInputObject,
                                         reinterpret_cast<void**>(&inputObject))))
      inputObject->Release();
    return S_OK;
  }

  IUnknown* Unknown() { return static_cast<IOleWindow*>(this); }
  ULONG refCount() const { return refCount_; }
  std::vector<FocusNotice> notices;

 private:
  HWND window_;
  bool offerOleWindow_;
  bool offerInputObjectSite_;
  ULONG refCount_ = 1;
};

// The DLL of this test tree, loaded once.
HMODULE CorvaneDll();
// A new band through DllGetClassObject and the factory, as IDeskBand.
IDeskBand* CreateBandFrom(HMODULE dll);
IDeskBand* CreateBand();
HRESULT CanUnloadNow();

// A visible top-level window whose client area is `width` x `height`.
HWND CreateFrame(int width, int height, int x = 100, int y = 100);

// Focus moves only inside the active window; a program started a moment
// ago (a search's browser) may still hold the activation.
void Activate(HWND frame);

// Delivers the messages waiting for this thread.
void PumpMessages(DWORD forMs = 0);

// Catches the message boxes this thread shows, records caption and text,
// and closes them.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  struct Box {
    std::wstring caption;
    std::wstring text;
  };
  std::vector<Box> boxes;
 private:
  HHOOK hook_;
};

template <class Interface>
Interface* Query(IUnknown* object, REFIID iid) {
  Interface* result = nullptr;
  object->QueryInterface(iid, reinterpret_cast<void**>(&result));
  return result;
}

}  // namespace corvane::testing
