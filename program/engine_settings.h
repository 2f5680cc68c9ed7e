// The settings as the settings window edits them, read through the layers
// of the settings (support/settings_store.h) and written as the user's own:
// the default engine, the engines (name, keyword, address, suggestion
// address), the focus key, whether suggestions and recent searches are
// wanted, and where the strip lives.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/focus_key.h"
#include "support/setting_rules.h"

namespace corvane::program {

struct UserEngine {
  std::wstring name;
  std::wstring keyword;
  std::wstring address;
  std::wstring suggestAddress;  // empty: none
  // A policy's engine is shown, never changed, removed nor stored.
  SettingLayer layer = SettingLayer::kUser;
};

struct EngineSettings : SettingSources {
  std::wstring searchAddress;  // empty: Google's country site
  std::vector<UserEngine> engines;
  FocusKey focusKey;
  FocusKey searchClipboardKey = {FocusKeyKind::kNone, 0, 0};
  bool suggestions = false;
  bool history = false;
  StripMode placement = StripMode::Float;
  StripMonitor placementMonitor = StripMonitor::Primary;
  // Beside the values the policies fix or recommend: whether the user's own
  // engines are used, and whether those shown are the recommended ones.
  bool userEngines = true;
  bool recommendedEngines = false;
};

// What the layers decide; absent values read as empty. An engine whose name
// is not stored is named by its keyword. Fails when the engines cannot be
// listed: saved, an empty list would take them all away.
HRESULT ReadEngineSettings(EngineSettings* settings);
// Stores `chosen` as the user's own, but for what the policies decide as
// `shown` says: nothing a policy fixes, no recommended value left as it was
// shown (it stays a recommendation), no engines where the user's are set
// aside. An empty search address is removed, and so are the recent
// searches when history is off.
HRESULT WriteEngineSettings(const EngineSettings& shown, const EngineSettings& chosen);

}  // namespace corvane::program
