// What band tests need of the window system: the DLL of this test tree and
// bands made from it, top-level frames to site them in, activation, message
// pumping and message boxes caught and closed.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "support/windows_handles.h"
#include "tests/support/win/recording_band_site.h"

namespace corvane::test {

using BandSite = RecordingBandSite;

// The DLL of this test tree, loaded once.
HMODULE CorvaneDll();
// A new band from that DLL, as IDeskBand.
IDeskBand* CreateBand();
HRESULT CanUnloadNow();

// A visible top-level window whose client area is `width` x `height`.
HWND CreateFrame(int width, int height, int x = 100, int y = 100);

// Focus moves only inside the active window; a program started a moment
// ago (a search's browser) may still hold the activation.
void Activate(HWND frame);

// Delivers the messages waiting for this thread.
void PumpMessages(DWORD forMs = 0);

// Presses and releases each key in turn, as the keyboard does, for the
// window in the foreground.
void SendKeys(const std::vector<WORD>& keys);

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
  UniqueHook hook;
};

template <class Interface>
Interface* Query(IUnknown* object, REFIID iid) {
  Interface* result = nullptr;
  object->QueryInterface(iid, reinterpret_cast<void**>(&result));
  return result;
}

}  // namespace corvane::test
