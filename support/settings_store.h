// The settings, which the band and Corvane.exe share: the user's own under
// kSettingsKey (HKEY_CURRENT_USER) and the organisation's under kPolicyKey
// (both roots), each value taken from the first layer (SettingLayer) that
// holds one its rule takes; the user's written so that a failure part-way
// loses nothing, and announced to every band and strip of the session.
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
struct Settings : SettingSources {
  BOOL showGoButton = TRUE;
  FocusKey focusKey;
  FocusKey searchClipboardKey = {FocusKeyKind::kNone, 0, 0};
  bool suggestions = false;
  bool history = false;
  StripMode placement = StripMode::Float;
  StripMonitor placementMonitor = StripMonitor::Primary;
  // The strip's top left corner where the user dragged it, in screen pixels.
  bool hasStripPlace = false;
  POINT stripPlace = {};
  // Installed for all users, a user may still not want it started; a
  // policy's 0 (fixed) means that it never starts.
  bool declinesStart = false;
  // A policy may set the user's own engines aside.
  bool userEngines = true;
};
Settings ReadSettings();
// A number as the layers and its rule decide it: the first layer's that
// the rule takes, else the fallback.
DWORD DecidedNumber(Setting setting);

// The registry's names: a setting's value, a list's key below a layer's.
const wchar_t* SettingName(Setting setting);
const wchar_t* SettingListKey(SettingList list);

// What a stored text must be beyond its rule, where it comes from `layer`
// (an engine's address: search/engine_layers.h).
using TextCheck = bool (*)(SettingLayer layer, const wchar_t* text);

// S_OK with the value of the first layer that holds one its rule (and
// `check`) takes, and that layer in `from`; S_FALSE when none does (absent
// or broken: another type, too long, out of range), and the caller then
// goes by the rule's default. A layer that cannot be read is traced and
// passed over.
HRESULT ReadNumberSetting(Setting setting, DWORD* value, SettingLayer* from = nullptr);
HRESULT ReadTextSetting(Setting setting, UniqueMemory<wchar_t>* text, TextCheck check = nullptr,
                        SettingLayer* from = nullptr);
// One layer's value alone; likewise, but a failure to read is returned.
HRESULT ReadNumberSettingIn(SettingLayer layer, Setting setting, DWORD* value);
HRESULT ReadTextSettingIn(SettingLayer layer, Setting setting, UniqueMemory<wchar_t>* text);

// The engines a layer holds: the text of a keyword of at most
// kMaxKeywordLength units, and each keyword of a list, in the registry's
// order, until `visit` answers false (longer names are passed over).
HRESULT ReadListedSetting(SettingLayer layer, SettingList list, const wchar_t* keyword,
                          UniqueMemory<wchar_t>* text);
using KeywordVisitor = bool (*)(const wchar_t* keyword, void* context);
HRESULT VisitKeywords(SettingLayer layer, SettingList list, KeywordVisitor visit, void* context);
// Whether a policy holds a value for `setting` that its rule takes.
bool IsFixedByPolicy(Setting setting);
// Whether the user keeps a list of engines (an empty one too): the
// recommended engines are for a user who does not.
bool HasOwnEngines();
// Whether Windows' own policy turns web suggestions off.
bool WindowsSuggestionsOff();
// Group Policy applied a change (WM_SETTINGCHANGE "Policy").
bool IsPolicyChange(UINT message, LPARAM lParam);

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
