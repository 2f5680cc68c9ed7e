// The loopback suggestion service as a program for the end-to-end tests:
//   suggestion_server PORT-FILE LOG [--silent]
// writes its port to PORT-FILE once it listens, then serves until killed.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "tests/support/win/suggestion_server.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  corvane::test::SuggestionServer server;
  const bool silent = argc > 3 && std::wcscmp(argv[3], L"--silent") == 0;
  if (!server.Start(silent ? corvane::test::SuggestionServer::Mode::kSilent
                           : corvane::test::SuggestionServer::Mode::kAnswer,
                    argv[2]))
    return 1;
  if (FILE* file = _wfopen(argv[1], L"wb")) {
    std::fprintf(file, "%d\n", server.Port());
    std::fclose(file);
  }
  Sleep(INFINITE);
  return 0;
}
