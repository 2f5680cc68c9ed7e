// The band object the shell hosts: one table per interface, one identity, one
// reference count, over the record that the band's window code works on.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "band/band_record.h"

namespace corvane {

class SearchBand final : public IDeskBand2,
                         public IInputObject,
                         public IObjectWithSite,
                         public IPersistStream,
                         public IContextMenu,
                         public BandRecord {
 public:
  // Reads the Go-button setting and prepares the button images; count 1.
  SearchBand();
  SearchBand(const SearchBand&) = delete;
  SearchBand& operator=(const SearchBand&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
  // IDockingWindow
  STDMETHODIMP ShowDW(BOOL show) override;
  STDMETHODIMP CloseDW(DWORD reserved) override;
  STDMETHODIMP ResizeBorderDW(LPCRECT border, IUnknown* site, BOOL reserved) override;
  // IDeskBand
  STDMETHODIMP GetBandInfo(DWORD bandId, DWORD viewMode, DESKBANDINFO* info) override;
  // IDeskBand2: a translucent taskbar stays translucent only when every band
  // can be drawn on it.
  STDMETHODIMP CanRenderComposited(BOOL* canRender) override;
  STDMETHODIMP SetCompositionState(BOOL enabled) override;
  STDMETHODIMP GetCompositionState(BOOL* enabled) override;

  // IInputObject
  STDMETHODIMP UIActivateIO(BOOL activate, MSG* message) override;
  STDMETHODIMP HasFocusIO() override;
  STDMETHODIMP TranslateAcceleratorIO(MSG* message) override;

  // IObjectWithSite
  STDMETHODIMP SetSite(IUnknown* site) override;
  STDMETHODIMP GetSite(REFIID iid, void** out) override;

  // IPersist, IPersistStream
  STDMETHODIMP GetClassID(CLSID* classId) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(IStream* stream) override;
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT position, UINT firstId, UINT lastId,
                                UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, CHAR* name,
                                UINT capacity) override;

 private:
  ~SearchBand();
  ULONG refCount = 1;
};

}  // namespace corvane
