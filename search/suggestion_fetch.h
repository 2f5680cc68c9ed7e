// One request for suggestions, made on a thread of its own so that typing
// never waits for the network (search/suggestion_http.h). CORVANEUI.DLL's,
// like the network itself.
#pragma once
#include <windows.h>

#include "search/suggestion_rows.h"

namespace corvane {

class SuggestionFetch {
 public:
  // Asks `address` (https://, or http:// to this machine) and posts
  // `message` to `window` once answered, failed or out of time. Null when no
  // thread could be started.
  static SuggestionFetch* Start(const char16_t* address, HWND window, UINT message);

  // The owner's side: whether the thread is done, what it got (no rows for
  // any failure), and letting go (the thread then tells no one).
  bool Done() const { return InterlockedCompareExchange(&done_, 0, 0) != 0; }
  const SuggestionRows& Rows() const { return rows_; }
  ULONGLONG Age() const { return GetTickCount64() - started_; }
  void Abandon();

 private:
  SuggestionFetch() = default;
  ~SuggestionFetch();
  static void Thread(void* fetch);
  void Run();
  void Release();

  volatile LONG references_ = 2;  // the owner's and the thread's
  mutable volatile LONG done_ = 0;
  HWND volatile window_ = nullptr;
  UINT message_ = 0;
  ULONGLONG started_ = 0;
  wchar_t* address_ = nullptr;
  SuggestionRows rows_ = {};
};

}  // namespace corvane
