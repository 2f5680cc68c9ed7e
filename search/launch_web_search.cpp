#include "search/launch_web_search.h"

#include <shellapi.h>

#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/launch_address.h"
#include "search/select_search_domain.h"
#include "search/typed_address.h"
#include "search/user_engines.h"
#include "support/memory.h"
#include "support/wide_text.h"

namespace corvane {

int ToUtf8(const wchar_t* text, char** out) {
  if (out == nullptr) return 0;
  *out = nullptr;
  if (text == nullptr) return 0;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return 0;
  UniqueMemory<char> buffer(AllocArray<char>(static_cast<size_t>(bytes)));
  if (!buffer) return 0;
  if (bytes > 1 &&
      WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer.Get(), bytes, nullptr, nullptr) == 0)
    return 0;
  *out = buffer.Detach();
  return 1;
}

AddressResult BuildLaunchAddress(const wchar_t* query, char16_t** address) {
  *address = nullptr;
  char* utf8 = nullptr;
  if (!ToUtf8(query, &utf8)) return AddressResult::kFailed;
  UniqueMemory<char> ownedUtf8(utf8);
  if (IsTypedWebAddress(utf8)) return BuildTypedAddress(utf8, address);

  KeywordQuery keyword = {};
  if (SplitKeywordQuery(AsUtf16(query), &keyword)) {
    UniqueMemory<char> engine = ReadKeywordEngine(query, keyword.keywordLength);
    char* rest = nullptr;
    if (engine && ToUtf8(AsWide(keyword.rest), &rest)) {
      UniqueMemory<char> ownedRest(rest);
      return BuildEngineAddress(engine.Get(), rest, address);
    }
  }
  if (UniqueMemory<char> engine = ReadDefaultEngine())
    return BuildEngineAddress(engine.Get(), utf8, address);

  const wchar_t* suffix = SelectSearchDomain();
  if (suffix == nullptr) return AddressResult::kFailed;
  return BuildSearchAddress(utf8, AsUtf16(suffix), address);
}

namespace {

int OpenAddress(HWND ownerWindow, AddressResult built, char16_t* address) {
  UniqueMemory<char16_t> owned(address);
  switch (built) {
    case AddressResult::kFailed:
      return kLaunchFailed;
    case AddressResult::kNothingToSearch:
      return kLaunchNothingToSearch;
    case AddressResult::kBuilt:
      break;
  }
  HINSTANCE shellResult =
      ShellExecuteW(ownerWindow, L"open", AsWide(owned.Get()), nullptr, L"", SW_SHOW);
  return reinterpret_cast<ULONG_PTR>(shellResult) > 32 ? kLaunchOpened : kLaunchFailed;
}

}  // namespace

int LaunchWebSearch(HWND ownerWindow, const wchar_t* query, int mode) {
  if (mode != kLaunchModeWebSearch) return kLaunchFailed;
  char16_t* address = nullptr;
  AddressResult built = BuildLaunchAddress(query, &address);
  return OpenAddress(ownerWindow, built, address);
}

int LaunchEngineSearch(HWND ownerWindow, const wchar_t* engineAddress, const wchar_t* query) {
  char* engine = nullptr;
  char* utf8Query = nullptr;
  if (!ToUtf8(engineAddress, &engine)) return kLaunchFailed;
  UniqueMemory<char> ownedEngine(engine);
  if (!ToUtf8(query, &utf8Query)) return kLaunchFailed;
  UniqueMemory<char> ownedQuery(utf8Query);
  char16_t* address = nullptr;
  AddressResult built = BuildEngineAddress(engine, utf8Query, &address);
  return OpenAddress(ownerWindow, built, address);
}

}  // namespace corvane
