#include "search/suggestion_fetch.h"

#include <new>

#include "res/product.h"
#include "search/suggestion_http.h"
#include "support/bounded_string.h"
#include "support/memory.h"
#include "support/module_thread.h"
#include "support/wide_text.h"

namespace corvane {
SuggestionFetch* SuggestionFetch::Start(const char16_t* address, HWND window, UINT message) {
  auto* fetch = new (std::nothrow) SuggestionFetch;
  if (fetch == nullptr) return nullptr;
  const size_t units = BoundedLength(address, kMaxBoundedCount);
  fetch->address_ = AllocArray<wchar_t>(units + 1);
  fetch->window_ = window;
  fetch->message_ = message;
  fetch->started_ = GetTickCount64();
  if (fetch->address_ == nullptr ||
      BoundedCopy(AsUtf16(fetch->address_), units + 1, address) != kResultOk ||
      !StartModuleThread(Thread, fetch)) {
    delete fetch;
    return nullptr;
  }
  return fetch;
}

void SuggestionFetch::Thread(void* parameter) {
  auto* fetch = static_cast<SuggestionFetch*>(parameter);
  fetch->Run();
  fetch->Release();
}

void SuggestionFetch::Run() {
  SuggestionRows rows = {};
  if (AskForSuggestions(address_, started_ + kSuggestionTimeLimitMs, &rows) &&
      Age() <= kSuggestionTimeLimitMs)
    rows_ = rows;
  InterlockedExchange(&done_, 1);
  HWND window = static_cast<HWND>(InterlockedCompareExchangePointer(
      reinterpret_cast<void* volatile*>(&window_), nullptr, nullptr));
  if (window != nullptr) PostMessageW(window, message_, 0, 0);
}

void SuggestionFetch::Abandon() {
  InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&window_), nullptr);
  Release();
}

void SuggestionFetch::Release() {
  if (InterlockedDecrement(&references_) == 0) delete this;
}

SuggestionFetch::~SuggestionFetch() { FreeMemory(address_); }

}  // namespace corvane
