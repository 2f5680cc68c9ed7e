// Which browser a protocol's shell command starts, read from the command
// line alone.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvane {

enum BrowserKind : std::int32_t {
  kBrowserNeither = 0,  // also every failure
  kBrowserInternetExplorer = 1,
  kBrowserFirefox = 2,
};

// Size of the token buffer a command line is read into.
constexpr std::size_t kCommandTokenCapacity = 4096;

// Reads the first space-separated token of a command line, honouring double
// quotes, into `token` (zero-filled by the caller or not: it is terminated).
// *fileNameStart receives the offset in `token` after its last backslash that
// is not followed by a quote. False when the line ends inside quotes or the
// token does not fit.
bool FirstCommandToken(const char16_t* commandLine, char16_t* token, std::size_t capacity,
                       std::size_t* fileNameStart);

// "iexplore.exe" or "firefox.exe" (ASCII case folded) as the file name of
// the first token.
BrowserKind BrowserKindFromCommandLine(const char16_t* commandLine);

}  // namespace corvane
