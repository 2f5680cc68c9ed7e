// The user's settings under kSettingsKey (HKEY_CURRENT_USER), which the band
// and Corvane.exe share: every value read through its rule (setting_rules.h),
// written so that a failure part-way loses nothing, and announced to every
// band and strip of the session.
#pragma once
#include <windows.h>

#include <cstddef>

#include "support/memory.h"
#include "support/setting_rules.h"

namespace corvane {

// Every single value at one moment, as the band and the strip apply it when
// they start and when they are told of a change. The engines' addresses and
// names are read where a search uses them, so that each search goes where
// the settings say at that moment.
struct Settings {
  BOOL showGoButton = TRUE;
  FocusKey focusKey;
  bool suggestions = false;
  bool history = false;
  StripMode placement = StripMode::Float;
  StripMonitor placementMonitor = StripMonitor::Primary;
  // The strip's top left corner where the user dragged it, in screen pixels.
  bool hasStripPlace = false;
  POINT stripPlace = {};
  // Installed for all users, a user may still not want it started.
  bool declinesStart = false;
};
Settings ReadSettings();
// A number as its rule decides it: the stored one, else the fallback.
DWORD DecidedNumber(Setting setting);

// The registry's names: a setting's value under kSettingsKey, a list's key.
const wchar_t* SettingName(Setting setting);
const wchar_t* SettingListKey(SettingList list);

// S_OK with the value when it is stored and its rule takes it; S_FALSE when
// it is absent or broken (another type, too long, out of range), and the
// caller then goes by the rule's default; a failure when the registry
// cannot be read.
HRESULT ReadNumberSetting(Setting setting, DWORD* value);
HRESULT ReadTextSetting(Setting setting, UniqueMemory<wchar_t>* text);
// The engine of a keyword of at most kMaxKeywordLength units.
HRESULT ReadListedSetting(SettingList list, const wchar_t* keyword, UniqueMemory<wchar_t>* text);
// Calls `visit` with each keyword of the list, in the registry's order,
// until it answers false; names longer than a keyword are passed over.
using KeywordVisitor = bool (*)(const wchar_t* keyword, void* context);
HRESULT VisitKeywords(SettingList list, KeywordVisitor visit, void* context);

// Whether the band shows its Go button. 1 when a valid value was found; only
// then, and only for a non-null target, stores 1 (shown) or 0 (hidden).
BOOL ReadShowGoButton(BOOL* show);
// Stores 1 or 0. 1 when stored.
BOOL WriteShowGoButton(BOOL show);

HRESULT WriteNumberSetting(Setting setting, DWORD value);
// The rest of the writing is Corvane.exe's (settings_change.cpp).
// An empty text removes the value.
HRESULT WriteTextSetting(Setting setting, const wchar_t* text);
HRESULT RemoveSetting(Setting setting);

struct ListedSetting {
  const wchar_t* keyword;
  const wchar_t* text;  // empty: none for this keyword
};
// A list is changed in two steps, so that a failure part-way leaves every
// engine the user had: first every entry's text is written (an empty one
// skipped), then every value that no entry with a text holds is taken away.
HRESULT WriteListedSettings(SettingList list, const ListedSetting* entries, size_t count);
HRESULT RemoveUnlistedSettings(SettingList list, const ListedSetting* entries, size_t count);

// The recent searches, forgotten at once.
HRESULT ForgetRecentSearches();

// Tells every band and strip of the session to read the settings again.
HRESULT AnnounceSettingsChange();

}  // namespace corvane
