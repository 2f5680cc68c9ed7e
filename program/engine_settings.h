// The user's search settings as the settings window edits them, read from
// and written to the settings key: the default engine, the user's own
// engines (name, keyword, address) and the focus key.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace corvane::program {

struct UserEngine {
  std::wstring name;
  std::wstring keyword;
  std::wstring address;
};

struct EngineSettings {
  std::wstring searchAddress;  // empty: Google's country site
  std::vector<UserEngine> engines;
  std::wstring focusKey;  // empty: F12
};

// What is stored; absent values read as empty. An engine whose name is not
// stored is named by its keyword.
EngineSettings ReadEngineSettings();
// Replaces what is stored; an empty search address is removed.
HRESULT WriteEngineSettings(const EngineSettings& settings);

// Tells every band of the session to read the settings again.
void AnnounceSettingsChange();

}  // namespace corvane::program
