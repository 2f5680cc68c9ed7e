// Prints and checks the suffix the locale of this Wine process gives:
//   locale_probe EXPECTED_LOCALE_SUFFIX|- EXPECTED_SEARCH_SUFFIX
// ("-" for none). Run with LC_ALL set to the country under test.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "search/select_search_domain.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  // No http handler known: the choice falls to the locale.
  HKEY empty = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\CorvaneTests\\EmptyClasses", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &empty, nullptr);
  RegOverridePredefKey(HKEY_CLASSES_ROOT, empty);

  const wchar_t* fromLocale = corvane::DomainFromLocale();
  const wchar_t* selected = corvane::SelectSearchDomain();
  std::wprintf(L"locale %ls, search %ls\n", fromLocale ? fromLocale : L"-", selected);
  bool localeOk = fromLocale ? wcscmp(fromLocale, argv[1]) == 0 : wcscmp(argv[1], L"-") == 0;
  return localeOk && wcscmp(selected, argv[2]) == 0 ? 0 : 1;
}
