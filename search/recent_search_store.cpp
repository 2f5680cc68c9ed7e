#include "search/recent_search_store.h"

#include "res/product.h"
#include "search/recent_search_list.h"
#include "support/hresult.h"
#include "support/memory.h"
#include "support/settings_store.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

namespace corvane {
namespace {

// The longest list there is to read: every text at its longest, terminated,
// and the list's end.
constexpr size_t kMaxListUnits = kMaxRecentSearches * (kMaxSuggestionLength + 1) + 1;

// The stored list, or an empty one (nothing stored, or more than a list of
// recent searches can hold).
UniqueMemory<wchar_t> ReadList(size_t* units) {
  *units = 0;
  UniqueMemory<wchar_t> list(AllocArray<wchar_t>(kMaxListUnits + 2));
  DWORD bytes = kMaxListUnits * sizeof(wchar_t);
  if (list && RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kRecentSearchesValue,
                           RRF_RT_REG_MULTI_SZ, nullptr, list.Get(), &bytes) == ERROR_SUCCESS)
    *units = bytes / sizeof(wchar_t);
  return list;
}

// The stored list with `query` first.
HRESULT WriteWithSearch(const wchar_t* query) {
  size_t listUnits = 0;
  UniqueMemory<wchar_t> list = ReadList(&listUnits);
  if (!list) return E_OUTOFMEMORY;
  const char16_t* old = AsUtf16(list.Get());
  size_t units = WriteWithRecentSearch(old, listUnits, AsUtf16(query), nullptr, 0);
  UniqueMemory<wchar_t> updated(AllocArray<wchar_t>(units));
  if (!updated) return E_OUTOFMEMORY;
  if (WriteWithRecentSearch(old, listUnits, AsUtf16(query), AsUtf16(updated.Get()), units) != units)
    return E_UNEXPECTED;
  UniqueRegistryKey key;
  RETURN_IF_FAILED(FromWin32(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, key.Put(), nullptr)));
  return FromWin32(RegSetValueExW(key.Get(), kRecentSearchesValue, 0, REG_MULTI_SZ,
                                  reinterpret_cast<const BYTE*>(updated.Get()),
                                  static_cast<DWORD>(units * sizeof(wchar_t))));
}

}  // namespace

bool HistoryWanted() { return DecidedNumber(Setting::kHistory) != 0; }

void RememberSearch(const wchar_t* query) {
  if (!HistoryWanted() || !MayRememberOrSend(AsUtf16(query))) return;
  // Searches are remembered by their launch threads: one list is read and
  // written back at a time.
  static SRWLOCK writing = SRWLOCK_INIT;
  AcquireSRWLockExclusive(&writing);
  // A list that cannot be written stays as it was; the search went out.
  TRACE_IF_FAILED(WriteWithSearch(query));
  ReleaseSRWLockExclusive(&writing);
}

void AddRecentSearches(const wchar_t* typed, size_t limit, SuggestionRows* rows) {
  if (!HistoryWanted()) return;
  size_t units = 0;
  UniqueMemory<wchar_t> list = ReadList(&units);
  if (list) AddRecentMatches(AsUtf16(list.Get()), units, AsUtf16(typed), limit, rows);
}

}  // namespace corvane
