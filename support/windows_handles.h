// Owners for the Windows handles the module holds for the length of a call:
// each kind closes with its own function.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include "support/unique_handle.h"

namespace corvane {

inline HANDLE InvalidHandleValue() { return INVALID_HANDLE_VALUE; }

using UniqueRegistryKey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueFile = UniqueHandle<HANDLE, CloseHandle, InvalidHandleValue>;
using UniqueKernelObject = UniqueHandle<HANDLE, CloseHandle>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindClose, InvalidHandleValue>;
using UniqueHook = UniqueHandle<HHOOK, UnhookWindowsHookEx>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, UnhookWinEvent>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueDc = UniqueHandle<HDC, DeleteDC>;
using UniqueMappedView = UniqueHandle<void*, UnmapViewOfFile>;
using UniqueLocalMemory = UniqueHandle<HLOCAL, LocalFree>;
template <class Object>
using UniqueGdiObject = UniqueHandle<Object, DeleteObject>;

template <class Interface>
void ReleaseInterface(Interface* object) {
  object->Release();
}
// An interface as its owner lends it out: the count is the owner's alone.
template <class Interface>
class NoAddRefRelease : public Interface {
 private:
  STDMETHOD_(ULONG, AddRef)() = 0;
  STDMETHOD_(ULONG, Release)() = 0;
};
// A counted interface pointer, made from a raw one in one of two named ways
// as the platform's owners are: Adopt takes over the reference the caller
// holds (a new object's, an out-parameter's), Share adds one of its own.
// PutVoid() is the out-parameter of QueryInterface-style calls.
template <class Interface>
class ComPtr : public UniqueHandle<Interface*, ReleaseInterface<Interface>> {
  using Base = UniqueHandle<Interface*, ReleaseInterface<Interface>>;

 public:
  ComPtr() = default;
  static ComPtr Adopt(Interface* object) { return ComPtr(object); }
  static ComPtr Share(Interface* object) {
    if (object != nullptr) object->AddRef();
    return ComPtr(object);
  }
  NoAddRefRelease<Interface>* operator->() const {
    return static_cast<NoAddRefRelease<Interface>*>(this->Get());
  }
  void** PutVoid() { return reinterpret_cast<void**>(this->Put()); }

 private:
  explicit ComPtr(Interface* object) : Base(object) {}
};

// Another reference to `object`, held while the owner lives: across a call
// out (to a site, or through a message loop) during which every other holder
// may let go.
template <class Interface>
ComPtr<Interface> HoldReference(Interface* object) {
  return ComPtr<Interface>::Share(object);
}

// A window's device context, given back to the window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window(window), dc(GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc != nullptr) ReleaseDC(window, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc; }

 private:
  HWND window;
  HDC dc;
};

// The clipboard, open for `owner` while this lives; the system lets one
// window at a time have it.
class OpenClipboardFor {
 public:
  explicit OpenClipboardFor(HWND owner) : open(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardFor() {
    if (open) CloseClipboard();
  }
  OpenClipboardFor(const OpenClipboardFor&) = delete;
  OpenClipboardFor& operator=(const OpenClipboardFor&) = delete;
  bool IsOpen() const { return open; }

 private:
  bool open;
};

// A global memory block's bytes, locked while this lives.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory(memory), bytes(memory != nullptr ? GlobalLock(memory) : nullptr) {}
  ~LockedGlobal() {
    if (bytes != nullptr) GlobalUnlock(memory);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  const void* Bytes() const { return bytes; }
  SIZE_T Size() const { return bytes != nullptr ? GlobalSize(memory) : 0; }

 private:
  HGLOBAL memory;
  void* bytes;
};

}  // namespace corvane
