// Names and ids that CORVANE.DLL, Corvane.exe, setup and the tests share,
// each written once. The resource scripts read the macros; for setup and the
// test scripts the build writes them out (cmake/ProductDefines.cmake), with
// every line below of the form `inline constexpr wchar_t kName[] = L"...";`
// as NAME, so such a line holds one literal and nothing else.
#pragma once

#define CORVANE_COMPANY_NAME "Ostrand"
#define CORVANE_PRODUCT_NAME "Corvane"
#define CORVANE_COPYRIGHT "Copyright © 2026 Ostrand. All rights reserved."

#ifndef RC_INVOKED
namespace corvane {

// Fixed for good: registrations and the taskbar's saved toolbars name the
// band by it (as a GUID: support/band_class.h).
inline constexpr wchar_t kBandClassId[] = L"{59E5B916-B4DC-4C77-82B3-1A22AF7FBAE8}";
// The platform's category of taskbar toolbars (CATID_DeskBand).
inline constexpr wchar_t kDeskBandCategoryId[] = L"{00021492-0000-0000-C000-000000000046}";

inline constexpr wchar_t kModuleFile[] = L"CORVANE.DLL";
inline constexpr wchar_t kProgramFile[] = L"Corvane.exe";
// Beside CORVANE.DLL: what only the process that shows the band needs (its
// texts in languages other than English, what screen readers are told), so
// that the DLL every program the focus key's hook reaches loads stays small.
inline constexpr wchar_t kUiModuleFile[] = L"CORVANEUI.DLL";

// Per user, under HKEY_CURRENT_USER: the product's key and its settings.
inline constexpr wchar_t kCompanyKey[] = L"SOFTWARE\\Ostrand";
inline constexpr wchar_t kProductKey[] = L"SOFTWARE\\Ostrand\\Corvane";
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Ostrand\\Corvane\\1.0";
inline constexpr wchar_t kShowGoButtonValue[] = L"ShowGoButton";
inline constexpr wchar_t kStripLeftValue[] = L"StripLeft";
inline constexpr wchar_t kStripTopValue[] = L"StripTop";
// REG_SZ: where the strip lives ("float", "reserve" or "hidden") and on which
// monitor ("primary" or "pointer").
inline constexpr wchar_t kPlacementValue[] = L"Placement";
inline constexpr wchar_t kPlacementMonitorValue[] = L"PlacementMonitor";
// Volatile, until sign-out: the row a strip took out of the work area
// itself, REG_BINARY under the session's id (edge, left, top, right, bottom).
inline constexpr wchar_t kTakenRowKey[] = L"SOFTWARE\\Ostrand\\Corvane\\1.0\\TakenRow";
// 0: this user does not want the machine's Run value to start Corvane.
inline constexpr wchar_t kStartWithWindowsValue[] = L"StartWithWindows";
// REG_SZ: the default engine's address; in keys below the settings' key,
// the user's keywords (value name) with their engines' addresses and the
// engines' names by keyword; the focus key; the key that searches the
// clipboard's text.
inline constexpr wchar_t kSearchAddressValue[] = L"SearchAddress";
inline constexpr wchar_t kKeywordsKey[] = L"Keywords";
inline constexpr wchar_t kEngineNamesKey[] = L"EngineNames";
inline constexpr wchar_t kFocusKeyValue[] = L"FocusKey";
inline constexpr wchar_t kSearchClipboardKeyValue[] = L"SearchClipboardKey";
// REG_DWORD, 1 on (absent or 0: off): suggestions as the user types, and the
// recent searches kept as REG_MULTI_SZ, newest first.
inline constexpr wchar_t kSuggestionsValue[] = L"Suggestions";
inline constexpr wchar_t kHistoryValue[] = L"History";
inline constexpr wchar_t kRecentSearchesValue[] = L"RecentSearches";
// REG_SZ: where the default engine answers for suggestions; in a key below
// the settings' key, the user's keywords (value name) with their engines'
// suggestion addresses.
inline constexpr wchar_t kSuggestAddressValue[] = L"SuggestAddress";
inline constexpr wchar_t kSuggestAddressesKey[] = L"SuggestAddresses";

// Under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER: the values an organisation
// fixes, by the settings' own names and with the same keys below, and in
// its Recommended key those it proposes where the user has chosen nothing.
inline constexpr wchar_t kPolicyKey[] = L"SOFTWARE\\Policies\\Ostrand\\Corvane";
inline constexpr wchar_t kRecommendedPolicyKey[] =
    L"SOFTWARE\\Policies\\Ostrand\\Corvane\\Recommended";
// REG_DWORD, policies only: 0 sets the user's own engines aside.
inline constexpr wchar_t kAllowUserEnginesValue[] = L"AllowUserEngines";
// Windows' own policy, REG_DWORD 1: no web suggestions in the taskbar's
// search box, nor in Corvane's.
inline constexpr wchar_t kExplorerPolicyKey[] = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Explorer";
inline constexpr wchar_t kDisableSearchBoxSuggestionsValue[] = L"DisableSearchBoxSuggestions";
// The setting change that Group Policy announces once it applied policies.
inline constexpr wchar_t kPolicyChange[] = L"Policy";

// Under both HKEY_LOCAL_MACHINE (installed for all users) and
// HKEY_CURRENT_USER.
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Corvane";
inline constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane";

// Under HKEY_CURRENT_USER: the taskbar's mode, REG_DWORD 0 for dark (absent:
// light), and the name of the setting change that says it changed.
inline constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr wchar_t kSystemUsesLightThemeValue[] = L"SystemUsesLightTheme";
inline constexpr wchar_t kColourSetChange[] = L"ImmersiveColorSet";

inline constexpr wchar_t kBandWindowClass[] = L"Corvane_Class";
inline constexpr wchar_t kStripWindowClass[] = L"Ostrand.Corvane.Strip";
// Corvane.exe's hidden window, which owns its strips.
inline constexpr wchar_t kStripSetWindowClass[] = L"Ostrand.Corvane.Strips";
inline constexpr wchar_t kSuggestionListClass[] = L"Ostrand.Corvane.Suggestions";
// "Local\": each session runs its own program and keeps its own list.
inline constexpr wchar_t kProgramMutex[] = L"Local\\Ostrand.Corvane.Program";
// The F12 targets' table; its name carries the table's layout, so that
// builds that lay the table out otherwise never share one.
inline constexpr wchar_t kFocusTargetsMapping[] = L"Local\\Ostrand.Corvane.FocusTargets.1";
// The MSI packages' upgrade code: every version's package shares it, so that
// a newer one replaces an older one, and setup knows an installation by it.
inline constexpr wchar_t kMsiUpgradeCode[] = L"{BCBB0A1A-1E32-4701-9C64-84EB808464BC}";
// One setup at a time on the machine: for all users a file in Program Files,
// where only administrators can make one; for one user a named mutex.
inline constexpr wchar_t kSetupLockFile[] = L"Ostrand.Corvane.Setup.lock";
inline constexpr wchar_t kSetupMutex[] = L"Global\\Ostrand.Corvane.Setup";
inline constexpr wchar_t kFocusSearchBoxMessage[] = L"Ostrand.Corvane.FocusSearchBox";
inline constexpr wchar_t kShellNoticeMessage[] = L"Ostrand.Corvane.ShellNotice";
// The notification area's notices to the program's icon.
inline constexpr wchar_t kIconNoticeMessage[] = L"Ostrand.Corvane.IconNotice";
// Posted by a band to its host's window when its box is done with: wParam
// says why (a search went out, or Esc).
inline constexpr wchar_t kSearchBoxDoneMessage[] = L"Ostrand.Corvane.SearchBoxDone";
inline constexpr unsigned kBoxDoneSearched = 1, kBoxDoneEscaped = 2;
// Posted to every band of the session when the settings changed.
inline constexpr wchar_t kSettingsChangedMessage[] = L"Ostrand.Corvane.SettingsChanged";

}  // namespace corvane
#endif
