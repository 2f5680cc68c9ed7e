#include "support/resource_strings.h"

#include <windows.h>

#include "res/resource_ids.h"
#include "support/memory.h"
#include "support/module_state.h"
#include "support/system_library.h"
#include "support/ui_module.h"

namespace corvane {
namespace {

constexpr int kSlotUnits = 4096;
constexpr int kSlotCount = IDS_LAST - IDS_FIRST + 1;

// The slots come from the module's allocator at the first call, not from
// the image: the module is loaded into every program that gets a keystroke
// while a band is shown, and those programs never show a text. Zero-filled,
// so they start cleared.
struct ResourceStringCache {
  wchar_t slots[kSlotCount][kSlotUnits];
};

ResourceStringCache* ResourceStrings = nullptr;
const wchar_t kEmptyText[] = L"";
// Registration may ask from another thread of the same process.
SRWLOCK CacheLock = SRWLOCK_INIT;

void ClearSlot(wchar_t* slot) { ZeroMemory(slot, sizeof(wchar_t) * kSlotUnits); }

// The user's language's text, from the UI module; English is this module's.
bool LoadTranslation(int id, wchar_t* slot) {
  LoadTranslationFunction loadTranslation;
  return FindFunction(UiModule(), kLoadTranslationExport, &loadTranslation) &&
         loadTranslation(static_cast<UINT>(id), slot, kSlotUnits);
}

bool LoadText(int id, wchar_t* slot) {
  return LoadTranslation(id, slot) ||
         LoadStringW(ModuleInstance, static_cast<UINT>(id), slot, kSlotUnits) != 0;
}

}  // namespace

const wchar_t* LoadResString(int id) {
  if (id < IDS_FIRST || id > IDS_LAST) return kEmptyText;
  AcquireSRWLockExclusive(&CacheLock);
  if (ResourceStrings == nullptr) ResourceStrings = AllocArray<ResourceStringCache>(1);
  const wchar_t* text = kEmptyText;
  if (ResourceStrings != nullptr) {
    wchar_t* slot = ResourceStrings->slots[id - IDS_FIRST];
    if (slot[0] == 0 && !LoadText(id, slot)) ClearSlot(slot);
    text = slot;
  }
  ReleaseSRWLockExclusive(&CacheLock);
  return text;
}

void FreeResourceStrings() {
  FreeMemory(ResourceStrings);
  ResourceStrings = nullptr;
}

}  // namespace corvane
