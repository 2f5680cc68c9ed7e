// The user's search settings as the settings window edits them, read from
// and written to the settings key: the default engine, the user's own
// engines (name, keyword, address, suggestion address), the focus key, and whether suggestions
// and recent searches are wanted.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/focus_key.h"

namespace corvane::program {

struct UserEngine {
  std::wstring name;
  std::wstring keyword;
  std::wstring address;
  std::wstring suggestAddress;  // empty: none
};

struct EngineSettings {
  std::wstring searchAddress;  // empty: Google's country site
  std::vector<UserEngine> engines;
  FocusKey focusKey;
  bool suggestions = false;
  bool history = false;
};

// What is stored; absent values read as empty. An engine whose name is not
// stored is named by its keyword. Fails when the engines cannot be listed:
// saved, an empty list would take them all away.
HRESULT ReadEngineSettings(EngineSettings* settings);
// Replaces what is stored; an empty search address is removed, and so are
// the recent searches when history is off.
HRESULT WriteEngineSettings(const EngineSettings& settings);

}  // namespace corvane::program
