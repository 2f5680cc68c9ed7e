#include "support/session_bands.h"

#include <sddl.h>

#include "res/product.h"
#include "support/hresult.h"
#include "support/windows_handles.h"

namespace corvane {

namespace {

// Every account's programs in the session read it (F12 is pressed in them
// too); interactive users and administrators list their bands in it.
const wchar_t kTableAccess[] = L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;IU)(A;;GR;;;WD)";

// This process's view, published once, and the handle that keeps the
// table's name: a name lasts only while a handle to it is open.
FocusTargetTable* volatile ProcessTable = nullptr;
HANDLE ProcessTableMapping = nullptr;

HWND WindowOfBox(LONG box) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(box)); }

LONG BoxOf(HWND hintEdit) { return static_cast<LONG>(HandleToLong(hintEdit)); }

HRESULT MapTable(UniqueKernelObject* mapping, UniqueMappedView* view) {
  UniqueLocalMemory access;
  RETURN_LAST_ERROR_IF(!ConvertStringSecurityDescriptorToSecurityDescriptorW(
      kTableAccess, SDDL_REVISION_1, access.Put(), nullptr));
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, access.Get(), FALSE};
  mapping->Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                    sizeof(FocusTargetTable), kFocusTargetsMapping));
  RETURN_LAST_ERROR_IF(!*mapping);
  view->Reset(MapViewOfFile(mapping->Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0,
                            sizeof(FocusTargetTable)));
  RETURN_LAST_ERROR_IF(!*view);
  return S_OK;
}

}  // namespace

HRESULT AddFocusTarget(FocusTargetTable& table, HWND hintEdit, HintBoxTest isLive) {
  const LONG mine = BoxOf(hintEdit);
  for (FocusTarget& target : table.targets) {
    LONG seen = target.box;
    if (seen != 0 && isLive(WindowOfBox(seen))) continue;
    if (InterlockedCompareExchange(&target.box, mine, seen) == seen) {
      InterlockedExchange(&target.installation, InterlockedIncrement(&table.installations));
      return S_OK;
    }
  }
  return E_OUTOFMEMORY;
}

void RemoveFocusTarget(FocusTargetTable& table, HWND hintEdit) {
  const LONG mine = BoxOf(hintEdit);
  for (FocusTarget& target : table.targets)
    if (InterlockedCompareExchange(&target.box, 0, mine) == mine) return;
}

HWND NewestFocusTarget(const FocusTargetTable& table, HintBoxTest accept) {
  HWND newest = nullptr;
  LONG newestInstallation = 0;
  for (const FocusTarget& target : table.targets) {
    LONG box = target.box;
    if (box == 0) continue;
    LONG installation = target.installation;
    // Compared as a difference, so that the order survives the counter's wrap.
    if (newest != nullptr && static_cast<LONG>(static_cast<ULONG>(installation) -
                                               static_cast<ULONG>(newestInstallation)) <= 0)
      continue;
    if (!accept(WindowOfBox(box))) continue;
    newest = WindowOfBox(box);
    newestInstallation = installation;
  }
  return newest;
}

HRESULT SessionFocusTargets(FocusTargetTable** table) {
  *table = ProcessTable;
  if (*table != nullptr) return S_OK;
  UniqueKernelObject mapping;
  UniqueMappedView view;
  RETURN_IF_FAILED(MapTable(&mapping, &view));
  auto* mapped = static_cast<FocusTargetTable*>(view.Get());
  // Two bands of this process may come here at once: one view is kept.
  PVOID published = InterlockedCompareExchangePointer(
      reinterpret_cast<PVOID volatile*>(&ProcessTable), mapped, nullptr);
  if (published == nullptr) {
    view.Detach();
    ProcessTableMapping = mapping.Detach();
  }
  *table = ProcessTable;
  return S_OK;
}

HRESULT ListSessionFocusTarget(HWND hintEdit, HintBoxTest isLive) {
  FocusTargetTable* table = nullptr;
  RETURN_IF_FAILED(SessionFocusTargets(&table));
  return AddFocusTarget(*table, hintEdit, isLive);
}

void UnlistSessionFocusTarget(HWND hintEdit) {
  if (FocusTargetTable* table = ProcessTable) RemoveFocusTarget(*table, hintEdit);
}

namespace {

// This session's table as this process sees it, read-only where it lists no
// box of its own; null view when the session has none.
const FocusTargetTable* ReadSessionTable(UniqueKernelObject* mapping, UniqueMappedView* view) {
  if (FocusTargetTable* table = ProcessTable) return table;
  mapping->Reset(OpenFileMappingW(FILE_MAP_READ, FALSE, kFocusTargetsMapping));
  if (!*mapping) return nullptr;
  view->Reset(MapViewOfFile(mapping->Get(), FILE_MAP_READ, 0, 0, sizeof(FocusTargetTable)));
  return static_cast<const FocusTargetTable*>(view->Get());
}

}  // namespace

HWND NewestSessionFocusTarget(HintBoxTest accept) {
  UniqueKernelObject mapping;
  UniqueMappedView view;
  const FocusTargetTable* table = ReadSessionTable(&mapping, &view);
  return table != nullptr ? NewestFocusTarget(*table, accept) : nullptr;
}

void PostToSessionBands(UINT message) {
  UniqueKernelObject mapping;
  UniqueMappedView view;
  const FocusTargetTable* table = ReadSessionTable(&mapping, &view);
  if (table == nullptr) return;
  // A box whose band ended unlisted may name another window by now: the
  // message is registered for Corvane alone, so any other window ignores it.
  for (const FocusTarget& target : table->targets)
    if (HWND box = WindowOfBox(target.box))
      if (HWND bandWindow = GetParent(box)) PostMessageW(bandWindow, message, 0, 0);
}

void ReleaseSessionFocusTargets() {
  UniqueMappedView view(
      InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&ProcessTable), nullptr));
  UniqueKernelObject mapping(ProcessTableMapping);
  ProcessTableMapping = nullptr;
}

}  // namespace corvane
