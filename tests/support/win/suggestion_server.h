// A suggestion service on the loopback address for the tests and the
// benchmark: it answers every GET for "...?q=WORDS" at once with WORDS one,
// two and three (or, silent, never), keeps connections open as a real
// service does, and logs each request line and each connection's end.
#pragma once
#include <string>

namespace corvane::test {

class SuggestionServer {
 public:
  enum class Mode { kAnswer, kSilent };
  // Listens on 127.0.0.1 at a free port; false when it cannot.
  bool Start(Mode mode, const std::wstring& logPath);
  int Port() const { return port_; }

 private:
  int port_ = 0;
};

}  // namespace corvane::test
