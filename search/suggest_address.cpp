#include "search/suggest_address.h"

#include <cstddef>
#include <cstring>

#include "search/engine_template.h"
#include "search/web_scheme.h"

namespace corvane {
namespace {

// The server's name without its port.
std::size_t HostLength(const char* server, std::size_t serverLength) {
  if (server[0] == '[') {
    const char* close = static_cast<const char*>(std::memchr(server, ']', serverLength));
    std::size_t length = close != nullptr ? static_cast<std::size_t>(close - server) + 1 : 0;
    // Only a port may follow the brackets.
    return length != 0 && (length == serverLength || server[length] == ':') ? length : serverLength;
  }
  const char* colon = static_cast<const char*>(std::memchr(server, ':', serverLength));
  return colon != nullptr ? static_cast<std::size_t>(colon - server) : serverLength;
}

bool IsLoopbackHost(const char* host, std::size_t length) {
  auto is = [&](const char* name) {
    return std::strlen(name) == length && CaselessPrefixLength(host, name) == length;
  };
  if (is("localhost") || is("[::1]")) return true;
  if (length < 4 || std::strncmp(host, "127.", 4) != 0) return false;
  for (std::size_t i = 4; i < length; ++i)
    if ((host[i] < '0' || host[i] > '9') && host[i] != '.') return false;
  return true;
}

}  // namespace

bool IsUsableSuggestAddress(const char* utf8Template) {
  if (utf8Template == nullptr || CheckEngineTemplate(utf8Template) != TemplateCheck::kUsable)
    return false;
  const std::size_t scheme = WebSchemeLength(utf8Template);
  const char* server = utf8Template + scheme;
  const std::size_t serverLength = ServerNameLength(server);
  if (std::memchr(server, '@', serverLength) != nullptr) return false;
  if (CaselessPrefixLength(utf8Template, "https://") != 0) return true;
  return IsLoopbackHost(server, HostLength(server, serverLength));
}

}  // namespace corvane
