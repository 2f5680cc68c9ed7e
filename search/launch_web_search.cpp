#include "search/launch_web_search.h"

#include <shellapi.h>

#include "search/search_address.h"
#include "search/select_search_domain.h"
#include "support/memory.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// Converts and picks the suffix, then builds the address: everything of a
// launch short of the shell call.
AddressResult PrepareAddress(const wchar_t* query, char16_t** address) {
  *address = nullptr;
  char* utf8 = nullptr;
  if (!ToUtf8(query, &utf8)) return AddressResult::kFailed;
  const wchar_t* suffix = SelectSearchDomain();
  AddressResult result = suffix == nullptr
                             ? AddressResult::kFailed
                             : BuildSearchAddress(utf8, AsUtf16(suffix), address);
  FreeMemory(utf8);
  return result;
}

}  // namespace

int ToUtf8(const wchar_t* text, char** out) {
  if (out == nullptr) return 0;
  *out = nullptr;
  if (text == nullptr) return 0;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr,
                                  nullptr);
  if (bytes <= 0) return 0;
  char* buffer = AllocArray<char>(static_cast<size_t>(bytes));
  if (buffer == nullptr) return 0;
  if (bytes > 1 && WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, bytes,
                                       nullptr, nullptr) == 0) {
    FreeMemory(buffer);
    return 0;
  }
  *out = buffer;
  return 1;
}

int LaunchWebSearch(HWND ownerWindow, const wchar_t* query, int mode) {
  if (mode != kLaunchModeWebSearch) return kLaunchFailed;
  char16_t* address = nullptr;
  switch (PrepareAddress(query, &address)) {
    case AddressResult::kFailed:
      return kLaunchFailed;
    case AddressResult::kNothingToSearch:
      return kLaunchNothingToSearch;
    case AddressResult::kBuilt:
      break;
  }
  HINSTANCE shellResult = ShellExecuteW(ownerWindow, L"open", AsWide(address),
                                        nullptr, L"", SW_SHOW);
  FreeMemory(address);
  return reinterpret_cast<ULONG_PTR>(shellResult) > 32 ? kLaunchOpened
                                                       : kLaunchFailed;
}

wchar_t* SearchAddressFor(const wchar_t* query) {
  char16_t* address = nullptr;
  PrepareAddress(query, &address);
  return AsWide(address);
}

}  // namespace corvane
