#include "ui/query_submission.h"

#include <utility>

#include "band/band_record.h"
#include "res/product.h"
#include "res/resource_ids.h"
#include "search/launch_thread.h"
#include "search/url_encoding.h"
#include "support/memory.h"
#include "support/resource_strings.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"
#include "ui/suggestion_session.h"

namespace corvane {
namespace {

// A warning box owned by the band window, captioned "Corvane".
void Warn(BandRecord* band, int textId) {
  MessageBoxW(band->bandWindow, LoadResString(textId), LoadResString(IDS_PRODUCT_NAME),
              MB_ICONWARNING | MB_OK);
}

void WarnEmptyQuery(BandRecord* band, BOOL fromGoButton) {
  if (fromGoButton)
    Warn(band, IDS_EMPTY_QUERY);
  else
    MessageBeep(0xFFFFFFFF);
}

// The box's text, set for the user: no suggestions are asked for it.
void SetSearchText(BandRecord* band, const wchar_t* text) {
  if (band->suggestionSession != nullptr)
    band->suggestionSession->SetBoxText(text);
  else
    SetWindowTextW(band->searchEdit, text);
}

}  // namespace

void SubmitQuery(BandRecord* band, BOOL fromGoButton) {
  // The warning box runs a message loop, in which the host may close and
  // release the band.
  ComPtr<IUnknown> alive = HoldReference(band->identity);
  if (band->suggestionSession != nullptr) band->suggestionSession->Close();
  int length = GetWindowTextLengthW(band->searchEdit);
  if (length < 0) length = 0;
  UniqueMemory<wchar_t> text(AllocArray<wchar_t>(static_cast<size_t>(length) + 2));
  if (!text) return;  // the query stays in the box
  SetLastError(ERROR_SUCCESS);
  int copied = GetWindowTextW(band->searchEdit, text.Get(), length + 1);
  bool empty = text.Get()[0] == 0 || (copied == 0 && GetLastError() == ERROR_SUCCESS);
  if (empty) WarnEmptyQuery(band, fromGoButton);
  SetSearchText(band, L"");
  if (empty) return;
  if (!HoldsSomethingToSearch(AsUtf16(text.Get()))) return WarnEmptyQuery(band, fromGoButton);
  LaunchQuery(band, std::move(text));
}

void LaunchQuery(BandRecord* band, UniqueMemory<wchar_t> text) {
  // The band goes on at once; the host hears of the box when the search
  // was opened.
  const WPARAM search = band->sentSearches + 1;
  const LaunchNotices notices = {{GetParent(band->bandWindow),
                                  RegisterWindowMessageW(kSearchBoxDoneMessage), kBoxDoneSearched},
                                 {band->bandWindow, kSearchNotOpenedMessage, search}};
  if (!LaunchWebSearchOnThread(band->bandWindow, text.Get(), notices))
    return SetSearchText(band, text.Get());  // nothing went out: the query is the user's again
  band->sentSearches = search;
  band->sentQuery = std::move(text);
}

void OnSearchNotOpened(BandRecord* band, WPARAM search) {
  ComPtr<IUnknown> alive = HoldReference(band->identity);
  if (search == band->sentSearches && band->sentQuery &&
      GetWindowTextLengthW(band->searchEdit) == 0) {
    SetSearchText(band, band->sentQuery.Get());
    SendMessageW(band->searchEdit, EM_SETSEL, 0, -1);
  }
  Warn(band, IDS_NO_BROWSER);
}

void ReportBoxDone(BandRecord* band, WPARAM why) {
  if (UINT message = RegisterWindowMessageW(kSearchBoxDoneMessage))
    PostMessageW(GetParent(band->bandWindow), message, why, 0);
}

}  // namespace corvane
