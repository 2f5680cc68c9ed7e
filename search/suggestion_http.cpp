#include "search/suggestion_http.h"

#include <winhttp.h>

#include "res/product.h"
#include "search/suggestion_answer.h"
#include "support/bounded_string.h"
#include "support/memory.h"
#include "support/system_library.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// The calls of winhttp.dll this file makes, found at run time.
struct WinHttp {
  decltype(&::WinHttpOpen) open;
  decltype(&::WinHttpSetTimeouts) setTimeouts;
  decltype(&::WinHttpSetOption) setOption;
  decltype(&::WinHttpCrackUrl) crackUrl;
  decltype(&::WinHttpConnect) connect;
  decltype(&::WinHttpOpenRequest) openRequest;
  decltype(&::WinHttpSendRequest) sendRequest;
  decltype(&::WinHttpReceiveResponse) receiveResponse;
  decltype(&::WinHttpQueryHeaders) queryHeaders;
  decltype(&::WinHttpReadData) readData;
  decltype(&::WinHttpCloseHandle) closeHandle;
};

// Kept loaded for the life of the process: its own threads may outlast any
// one request.
bool LoadWinHttp(WinHttp* api) {
  static HMODULE module = nullptr;
  LoadSystemLibrary(L"winhttp.dll", &module);
  return FindFunction(module, "WinHttpOpen", &api->open) &&
         FindFunction(module, "WinHttpSetTimeouts", &api->setTimeouts) &&
         FindFunction(module, "WinHttpSetOption", &api->setOption) &&
         FindFunction(module, "WinHttpCrackUrl", &api->crackUrl) &&
         FindFunction(module, "WinHttpConnect", &api->connect) &&
         FindFunction(module, "WinHttpOpenRequest", &api->openRequest) &&
         FindFunction(module, "WinHttpSendRequest", &api->sendRequest) &&
         FindFunction(module, "WinHttpReceiveResponse", &api->receiveResponse) &&
         FindFunction(module, "WinHttpQueryHeaders", &api->queryHeaders) &&
         FindFunction(module, "WinHttpReadData", &api->readData) &&
         FindFunction(module, "WinHttpCloseHandle", &api->closeHandle);
}

// One session for the process, so that connections are kept between
// keystrokes; with the system's proxy settings (older systems: WinHTTP's
// own).
HINTERNET Session(const WinHttp& api) {
  static HINTERNET session = nullptr;
  if (session != nullptr) return session;
  constexpr DWORD kAutomaticProxy = 4;  // WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, Windows 8.1
  const wchar_t* agent = L"" CORVANE_PRODUCT_NAME;
  HINTERNET opened =
      api.open(agent, kAutomaticProxy, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  if (opened == nullptr)
    opened = api.open(agent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                      WINHTTP_NO_PROXY_BYPASS, 0);
  if (opened == nullptr) return nullptr;
  const int limit = static_cast<int>(kSuggestionTimeLimitMs);
  api.setTimeouts(opened, limit, limit, limit, limit);
  if (InterlockedCompareExchangePointer(&session, opened, nullptr) != nullptr)
    api.closeHandle(opened);
  return session;
}

// A handle of WinHTTP, closed through the loaded library.
class InternetHandle {
 public:
  InternetHandle(const WinHttp& api, HINTERNET handle) : api_(api), handle_(handle) {}
  ~InternetHandle() {
    if (handle_ != nullptr) api_.closeHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET Get() const { return handle_; }

 private:
  const WinHttp& api_;
  HINTERNET handle_;
};

// The answer's body, at most kMaxAnswerBytes, read before the time is up.
bool ReadAnswer(const WinHttp& api, HINTERNET request, ULONGLONG deadline, char* body,
                DWORD* size) {
  *size = 0;
  for (;;) {
    DWORD read = 0;
    if (!api.readData(request, body + *size, kMaxSuggestionAnswerBytes + 1 - *size, &read))
      return false;
    if (read == 0) return true;
    *size += read;
    if (*size > kMaxSuggestionAnswerBytes || GetTickCount64() > deadline) return false;
  }
}

}  // namespace

bool AskForSuggestions(const wchar_t* address, ULONGLONG deadline, SuggestionRows* rows) {
  WinHttp api;
  if (!LoadWinHttp(&api)) return false;
  HINTERNET session = Session(api);
  if (session == nullptr) return false;
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof parts;
  wchar_t host[256] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = ARRAYSIZE(host);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!api.crackUrl(address, 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTPS && parts.nScheme != INTERNET_SCHEME_HTTP))
    return false;
  // The path and the query that follows it, up to any fragment.
  const wchar_t* path = parts.lpszUrlPath;
  size_t pathLength = parts.dwUrlPathLength + parts.dwExtraInfoLength;
  UniqueMemory<wchar_t> pathText(AllocArray<wchar_t>(pathLength + 2));
  if (!pathText ||
      BoundedCopyN(AsUtf16(pathText.Get()), pathLength + 2, AsUtf16(pathLength != 0 ? path : L"/"),
                   pathLength != 0 ? pathLength : 1) != kResultOk)
    return false;
  for (wchar_t* fragment = pathText.Get(); *fragment != 0; ++fragment)
    if (*fragment == L'#') *fragment = 0;

  InternetHandle connection(api, api.connect(session, host, parts.nPort, 0));
  if (connection.Get() == nullptr) return false;
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  InternetHandle request(
      api, api.openRequest(connection.Get(), L"GET", pathText.Get(), nullptr, WINHTTP_NO_REFERER,
                           WINHTTP_DEFAULT_ACCEPT_TYPES, secure | WINHTTP_FLAG_ESCAPE_DISABLE));
  if (request.Get() == nullptr) return false;
  // The answer comes from the address asked and from nowhere else, and
  // nothing of the user's but what was typed goes with the question.
  DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
  DWORD noCookies = WINHTTP_DISABLE_COOKIES;
  if (!api.setOption(request.Get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never) ||
      !api.setOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &noCookies, sizeof noCookies))
    return false;
  if (!api.sendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                       0, 0) ||
      !api.receiveResponse(request.Get(), nullptr))
    return false;
  DWORD status = 0, statusSize = sizeof status;
  if (!api.queryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize,
                        WINHTTP_NO_HEADER_INDEX) ||
      status != 200)
    return false;
  UniqueMemory<char> body(AllocArray<char>(kMaxSuggestionAnswerBytes + 1));
  DWORD size = 0;
  return body && ReadAnswer(api, request.Get(), deadline, body.Get(), &size) &&
         ParseSuggestionAnswer(body.Get(), size, rows);
}

}  // namespace corvane
