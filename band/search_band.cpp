#include "band/search_band.h"

#include "res/resource_ids.h"
#include "support/module_state.h"
#include "support/settings_store.h"
#include "ui/band_window.h"

namespace corvane {
namespace {

template <class Interface>
void* As(SearchBand* band) {
  return static_cast<Interface*>(band);
}

// What QueryInterface answers, first match wins.
const struct {
  const IID* iid;
  void* (*pointer)(SearchBand*);
} kInterfaces[] = {
    {&IID_IUnknown, As<IDeskBand>},
    {&IID_IOleWindow, As<IDeskBand>},
    {&IID_IDeskBand, As<IDeskBand>},
    {&IID_IInputObject, As<IInputObject>},
    {&IID_IObjectWithSite, As<IObjectWithSite>},
    {&IID_IDockingWindow, As<IDeskBand>},
    {&IID_IPersist, As<IPersistStream>},
    {&IID_IPersistStream, As<IPersistStream>},
    {&IID_IContextMenu, As<IContextMenu>},
    {&IID_IDeskBand2, As<IDeskBand2>},
};

constexpr ULONG kCountWhileDestroyed = 0x40000000;

HDC MemoryDcHolding(HBITMAP bitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc != nullptr && bitmap != nullptr) SelectObject(dc, bitmap);
  return dc;
}

}  // namespace

SearchBand::SearchBand() : BandRecord(static_cast<IDeskBand*>(this)) {
  if (!ReadShowGoButton(&showGoButton)) showGoButton = TRUE;
  goBitmapNormal = LoadBitmapW(ModuleInstance, MAKEINTRESOURCEW(IDB_GO_NORMAL));
  goBitmapActive = LoadBitmapW(ModuleInstance, MAKEINTRESOURCEW(IDB_GO_ACTIVE));
  goDcNormal = MemoryDcHolding(goBitmapNormal);
  goDcActive = MemoryDcHolding(goBitmapActive);
  ObjectCreated();
}

SearchBand::~SearchBand() {
  // The site hears nothing more from a band that is going: what the windows
  // report while they go down (a lost focus) must not reach it.
  IInputObjectSite* site = inputObjectSite;
  inputObjectSite = nullptr;
  // The hook, the tooltip, the edits and the font go with the band window,
  // in that order; a host that never called CloseDW leaves it behind, so it
  // goes now and nothing can reach this object through it.
  DestroyOwnBandWindow(this);
  // The device contexts go before the bitmaps selected into them.
  if (goDcActive != nullptr) DeleteDC(goDcActive);
  if (goDcNormal != nullptr) DeleteDC(goDcNormal);
  if (goBitmapActive != nullptr) DeleteObject(goBitmapActive);
  if (goBitmapNormal != nullptr) DeleteObject(goBitmapNormal);
  // A destructor has no one to tell: a setting that cannot be written keeps
  // its stored value, which the next band starts with. A policy's value is
  // not the user's to keep.
  if (!IsFixedByPolicy(Setting::kShowGoButton)) WriteShowGoButton(showGoButton);
  if (site != nullptr) site->Release();
  ObjectDestroyed();
}

STDMETHODIMP SearchBand::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  for (const auto& entry : kInterfaces) {
    if (IsEqualIID(iid, *entry.iid)) {
      *out = entry.pointer(this);
      static_cast<IUnknown*>(*out)->AddRef();
      return S_OK;
    }
  }
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) SearchBand::AddRef() { return ++refCount; }

STDMETHODIMP_(ULONG) SearchBand::Release() {
  ULONG count = --refCount;
  if (count == 0) {
    // References taken and dropped while the band goes down must not bring
    // the count to zero a second time.
    refCount = kCountWhileDestroyed;
    delete this;
  }
  return count;
}

}  // namespace corvane
