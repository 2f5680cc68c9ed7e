#include "support/resource_strings.h"

#include <windows.h>

#include "module/module_state.h"
#include "res/resource_ids.h"

namespace corvane {
namespace {

constexpr int kSlotUnits = 4096;
constexpr int kSlotCount = IDS_LAST - IDS_FIRST + 1;

struct ResourceStringCache {
  wchar_t slots[kSlotCount][kSlotUnits];
  LONG slotsCleared;
};

ResourceStringCache ResourceStrings;
const wchar_t kEmptyText[] = L"";
// Registration may ask from another thread of the same process.
SRWLOCK CacheLock = SRWLOCK_INIT;

void ClearSlot(wchar_t* slot) { ZeroMemory(slot, sizeof(wchar_t) * kSlotUnits); }

}  // namespace

const wchar_t* LoadResString(int id) {
  if (id < IDS_FIRST || id > IDS_LAST) return kEmptyText;
  AcquireSRWLockExclusive(&CacheLock);
  if (!ResourceStrings.slotsCleared) {
    ZeroMemory(ResourceStrings.slots, sizeof ResourceStrings.slots);
    ResourceStrings.slotsCleared = 1;
  }
  wchar_t* slot = ResourceStrings.slots[id - IDS_FIRST];
  if (slot[0] == 0 && LoadStringW(ModuleInstance, static_cast<UINT>(id), slot, kSlotUnits) == 0)
    ClearSlot(slot);
  ReleaseSRWLockExclusive(&CacheLock);
  return slot;
}

}  // namespace corvane
