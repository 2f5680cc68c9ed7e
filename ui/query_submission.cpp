#include "ui/query_submission.h"

#include "band/search_band.h"
#include "res/resource_ids.h"
#include "search/launch_web_search.h"
#include "support/memory.h"
#include "support/resource_strings.h"

namespace corvane {

void SubmitQuery(SearchBand* band, BOOL fromGoButton) {
  // The warning box and the launch run message loops, in which the host may
  // close and release the band.
  KeepAlive<SearchBand> alive(band);
  int length = GetWindowTextLengthW(band->searchEdit);
  if (length < 0) length = 0;
  wchar_t* text = AllocArray<wchar_t>(static_cast<size_t>(length) + 2);
  if (text == nullptr) return;  // the query stays in the box
  SetLastError(ERROR_SUCCESS);
  int copied = GetWindowTextW(band->searchEdit, text, length + 1);
  bool empty = text[0] == 0 || (copied == 0 && GetLastError() == ERROR_SUCCESS);
  if (empty) WarnEmptyQuery(band, fromGoButton);
  SetWindowTextW(band->searchEdit, L"");
  if (!empty && LaunchWebSearch(band->bandWindow, text, kLaunchModeWebSearch) ==
                    kLaunchNothingToSearch)
    WarnEmptyQuery(band, fromGoButton);
  FreeMemory(text);
}

void WarnEmptyQuery(SearchBand* band, BOOL fromGoButton) {
  if (fromGoButton)
    MessageBoxW(band->bandWindow, LoadResString(IDS_EMPTY_QUERY),
                LoadResString(IDS_PRODUCT_NAME), MB_ICONWARNING | MB_OK);
  else
    MessageBeep(0xFFFFFFFF);
}

}  // namespace corvane
