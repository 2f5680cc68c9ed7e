#include "tests/support/win/suggestion_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>

namespace corvane::test {
namespace {

// What every connection's thread shares; lives as long as the process.
struct Shared {
  SuggestionServer::Mode mode;
  std::wstring logPath;
  CRITICAL_SECTION logLock;
  SOCKET listener;
};

struct Connection {
  Shared* shared;
  SOCKET client;
};

void Log(Shared* shared, const std::string& line) {
  if (shared->logPath.empty()) return;
  EnterCriticalSection(&shared->logLock);
  if (FILE* file = _wfopen(shared->logPath.c_str(), L"ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
  LeaveCriticalSection(&shared->logLock);
}

// The value of q= in a request's target, decoded.
std::string QueryWords(const std::string& target) {
  size_t start = target.find("q=");
  if (start == std::string::npos) return std::string();
  std::string words;
  for (size_t i = start + 2; i < target.size() && target[i] != '&'; ++i) {
    if (target[i] == '+') {
      words += ' ';
    } else if (target[i] == '%' && i + 2 < target.size()) {
      words += static_cast<char>(std::stoi(target.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      words += target[i];
    }
  }
  return words;
}

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

DWORD WINAPI Serve(void* parameter) {
  Connection connection = *static_cast<Connection*>(parameter);
  delete static_cast<Connection*>(parameter);
  Shared* shared = connection.shared;
  SOCKET client = connection.client;
  std::string received;
  char buffer[4096];
  for (;;) {
    size_t end = received.find("\r\n\r\n");
    if (end == std::string::npos) {
      int got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      received.append(buffer, static_cast<size_t>(got));
      continue;
    }
    std::string line = received.substr(0, received.find("\r\n"));
    received.erase(0, end + 4);
    Log(shared, line);
    if (shared->mode == SuggestionServer::Mode::kSilent) continue;
    std::string target = line.substr(0, line.rfind(' '));
    std::string words = QueryWords(target);
    std::string body = "[" + Json(words) + ",[" + Json(words + " one") + "," +
                       Json(words + " two") + "," + Json(words + " three") + "]]";
    std::string answer =
        "HTTP/1.1 200 OK\r\nContent-Type: application/x-suggestions+json; charset=utf-8\r\n"
        "Content-Length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body;
    send(client, answer.data(), static_cast<int>(answer.size()), 0);
  }
  Log(shared, "closed");
  closesocket(client);
  return 0;
}

DWORD WINAPI Accept(void* parameter) {
  auto* shared = static_cast<Shared*>(parameter);
  for (;;) {
    SOCKET client = accept(shared->listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) return 0;
    HANDLE thread = CreateThread(nullptr, 0, Serve, new Connection{shared, client}, 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);
  }
}

}  // namespace

bool SuggestionServer::Start(Mode mode, const std::wstring& logPath) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) return false;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof address;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 16) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    closesocket(listener);
    return false;
  }
  port_ = ntohs(address.sin_port);
  auto* shared = new Shared{mode, logPath, {}, listener};
  InitializeCriticalSection(&shared->logLock);
  HANDLE thread = CreateThread(nullptr, 0, Accept, shared, 0, nullptr);
  if (thread == nullptr) return false;
  CloseHandle(thread);
  return true;
}

}  // namespace corvane::test
