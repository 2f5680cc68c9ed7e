#include "search/launch_web_search.h"

#include <shellapi.h>

#include <utility>

#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/launch_address.h"
#include "search/select_search_domain.h"
#include "search/typed_address.h"
#include "search/user_engines.h"
#include "support/hresult.h"
#include "support/memory.h"
#include "support/wide_text.h"

namespace corvane {

HRESULT ConvertToUtf8(const wchar_t* text, UniqueMemory<char>* utf8) {
  utf8->Reset();
  if (text == nullptr) return E_INVALIDARG;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  RETURN_LAST_ERROR_IF(bytes <= 0);
  UniqueMemory<char> buffer(AllocArray<char>(static_cast<size_t>(bytes)));
  if (!buffer) return E_OUTOFMEMORY;
  RETURN_LAST_ERROR_IF(bytes > 1 && WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer.Get(), bytes,
                                                        nullptr, nullptr) == 0);
  *utf8 = std::move(buffer);
  return S_OK;
}

int ToUtf8(const wchar_t* text, char** out) {
  if (out == nullptr) return 0;
  UniqueMemory<char> utf8;
  const bool converted = SUCCEEDED(ConvertToUtf8(text, &utf8));
  *out = utf8.Detach();
  return converted ? 1 : 0;
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
    UniqueMemory<char> rest;
    if (engine && SUCCEEDED(ConvertToUtf8(AsWide(keyword.rest), &rest)))
      return BuildEngineAddress(engine.Get(), rest.Get(), address);
  }
  if (UniqueMemory<char> engine = ReadDefaultEngine())
    return BuildEngineAddress(engine.Get(), utf8, address);

  const wchar_t* suffix = SelectSearchDomain();
  if (suffix == nullptr) return AddressResult::kFailed;
  return BuildSearchAddress(utf8, AsUtf16(suffix), address);
}

namespace {

// S_OK when the shell took the address, S_FALSE for nothing to search.
HRESULT OpenAddress(HWND ownerWindow, AddressResult built, char16_t* address) {
  UniqueMemory<char16_t> owned(address);
  switch (built) {
    case AddressResult::kFailed:
      return E_FAIL;
    case AddressResult::kNothingToSearch:
      return S_FALSE;
    case AddressResult::kBuilt:
      break;
  }
  HINSTANCE shellResult =
      ShellExecuteW(ownerWindow, L"open", AsWide(owned.Get()), nullptr, L"", SW_SHOW);
  RETURN_LAST_ERROR_IF(reinterpret_cast<ULONG_PTR>(shellResult) <= 32);
  return S_OK;
}

}  // namespace

int LaunchWebSearch(HWND ownerWindow, const wchar_t* query, int mode) {
  if (mode != kLaunchModeWebSearch) return kLaunchFailed;
  char16_t* address = nullptr;
  AddressResult built = BuildLaunchAddress(query, &address);
  const HRESULT opened = OpenAddress(ownerWindow, built, address);
  return opened == S_FALSE   ? kLaunchNothingToSearch
         : SUCCEEDED(opened) ? kLaunchOpened
                             : kLaunchFailed;
}

HRESULT LaunchEngineSearch(HWND ownerWindow, const wchar_t* engineAddress, const wchar_t* query) {
  UniqueMemory<char> engine, utf8Query;
  RETURN_IF_FAILED(ConvertToUtf8(engineAddress, &engine));
  RETURN_IF_FAILED(ConvertToUtf8(query, &utf8Query));
  char16_t* address = nullptr;
  AddressResult built = BuildEngineAddress(engine.Get(), utf8Query.Get(), &address);
  return OpenAddress(ownerWindow, built, address);
}

}  // namespace corvane
