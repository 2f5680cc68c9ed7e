// An organisation's policies over the user's settings, on the registry of
// the Wine prefix (both roots redirected to scratch keys): which layer wins,
// what a policy may not hold, the engines, and what the settings window may
// store.
#include <string>

#include <gtest/gtest.h>

#include "program/engine_settings.h"
#include "res/product.h"
#include "search/engine_layers.h"
#include "search/user_engines.h"
#include "support/settings_store.h"
#include "support/wide_text.h"
#include "tests/support/win/test_support.h"

namespace corvane {
namespace {

using test::Below;
using test::ScratchRegistryRoot;
using test::SetRegistryText;
using test::SetRegistryValue;

struct Policies {
  ScratchRegistryRoot machine{HKEY_LOCAL_MACHINE};
  ScratchRegistryRoot user{HKEY_CURRENT_USER};
};

void SetNumber(HKEY root, const wchar_t* key, const wchar_t* name, DWORD value) {
  SetRegistryValue(root, key, name, REG_DWORD, &value, sizeof value);
}

std::string EngineOf(const wchar_t* keyword) {
  UniqueMemory<char> engine = ReadKeywordEngine(keyword, wcslen(keyword));
  return engine ? engine.Get() : "(none)";
}

std::string DefaultEngine() {
  UniqueMemory<char> engine = ReadDefaultEngine();
  return engine ? engine.Get() : "(none)";
}

// Each layer in turn holds the focus key alone, then under every layer
// before it: the first wins, and says whether it fixes or recommends.
TEST(Policies, TheFirstLayerThatHoldsAValueWins) {
  struct Layer {
    HKEY root;
    const wchar_t* key;
    const wchar_t* focusKey;
    bool fixed, recommended;
  };
  const Layer layers[] = {
      {HKEY_LOCAL_MACHINE, kPolicyKey, L"Ctrl+Alt+M", true, false},
      {HKEY_CURRENT_USER, kPolicyKey, L"Ctrl+Alt+P", true, false},
      {HKEY_CURRENT_USER, kSettingsKey, L"Ctrl+Alt+U", false, false},
      {HKEY_LOCAL_MACHINE, kRecommendedPolicyKey, L"Ctrl+Alt+R", false, true},
      {HKEY_CURRENT_USER, kRecommendedPolicyKey, L"Ctrl+Alt+Q", false, true},
  };
  for (size_t winner = 0; winner < ARRAYSIZE(layers); ++winner) {
    Policies policies;
    for (size_t at = winner; at < ARRAYSIZE(layers); ++at)
      SetRegistryText(layers[at].root, layers[at].key, kFocusKeyValue, layers[at].focusKey);
    const Settings settings = ReadSettings();
    EXPECT_EQ(settings.focusKey, ParseFocusKey(AsUtf16(layers[winner].focusKey))) << winner;
    EXPECT_EQ(settings.IsFixed(Setting::kFocusKey), layers[winner].fixed) << winner;
    EXPECT_EQ(settings.IsRecommended(Setting::kFocusKey), layers[winner].recommended) << winner;
  }
}

// A policy that holds what the settings would refuse is passed over as if
// absent; the user's own value then holds.
TEST(Policies, WhatTheSettingsRefuseIsIgnored) {
  Policies policies;
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kFocusKeyValue, L"Ctrl+Alt+U");
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kPlacementValue, L"hidden");
  SetNumber(HKEY_CURRENT_USER, kSettingsKey, kStartWithWindowsValue, 0);
  SetNumber(HKEY_CURRENT_USER, kSettingsKey, kSuggestionsValue, 1);
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue,
                  L"https://user.example/?q=%s");
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kFocusKeyValue, L"Ctrl+");
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kPlacementValue, L"sideways");
  SetNumber(HKEY_LOCAL_MACHINE, kPolicyKey, kStartWithWindowsValue, 2);
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSuggestionsValue, L"0");
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSearchAddressValue, L"notepad.exe %s");
  SetRegistryText(HKEY_CURRENT_USER, kPolicyKey, kSearchAddressValue, L"https://no-place.example/");
  const Settings settings = ReadSettings();
  EXPECT_EQ(settings.fixed, 0u);
  EXPECT_EQ(settings.focusKey, ParseFocusKey(u"Ctrl+Alt+U"));
  EXPECT_EQ(settings.placement, StripMode::Hidden);
  EXPECT_TRUE(settings.declinesStart);
  EXPECT_TRUE(settings.suggestions);
  EXPECT_EQ(DefaultEngine(), "https://user.example/?q=%s");
}

TEST(Policies, SuggestionsOffByOurPolicyOrWindowsOwn) {
  for (HKEY windowsRoot : {HKEY(nullptr), HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    Policies policies;
    SetNumber(HKEY_CURRENT_USER, kSettingsKey, kSuggestionsValue, 1);
    if (windowsRoot != nullptr)
      SetNumber(windowsRoot, kExplorerPolicyKey, kDisableSearchBoxSuggestionsValue, 1);
    else
      SetNumber(HKEY_CURRENT_USER, kPolicyKey, kSuggestionsValue, 0);
    const Settings settings = ReadSettings();
    EXPECT_FALSE(settings.suggestions);
    EXPECT_TRUE(settings.IsFixed(Setting::kSuggestions));
  }
}

// The engines: a policy's keyword wins over the user's own; the
// recommended ones are for a user who keeps none; AllowUserEngines 0 sets
// the user's aside, and with them a search address of the user's own.
TEST(Policies, EnginesByLayer) {
  const std::wstring machineKeywords = Below(kPolicyKey, kKeywordsKey);
  const std::wstring recommendedKeywords = Below(kRecommendedPolicyKey, kKeywordsKey);
  const std::wstring userKeywords = Below(kSettingsKey, kKeywordsKey);
  {
    Policies policies;
    SetRegistryText(HKEY_CURRENT_USER, userKeywords, L"w", L"https://user.example/?q=%s");
    SetRegistryText(HKEY_LOCAL_MACHINE, machineKeywords, L"W", L"https://intranet.example/?q=%s");
    SetRegistryText(HKEY_LOCAL_MACHINE, Below(kPolicyKey, kEngineNamesKey), L"w", L"Intranet");
    SetRegistryText(HKEY_CURRENT_USER, Below(kSettingsKey, kEngineNamesKey), L"w", L"Mine");
    SetRegistryText(HKEY_LOCAL_MACHINE, machineKeywords, L"bad", L"notepad.exe %s");
    SetRegistryText(HKEY_CURRENT_USER, userKeywords, L"bad", L"https://bad.example/?q=%s");
    SetRegistryText(HKEY_LOCAL_MACHINE, recommendedKeywords, L"r", L"https://rec.example/?q=%s");
    EXPECT_EQ(EngineOf(L"w"), "https://intranet.example/?q=%s");
    EXPECT_EQ(EngineOf(L"bad"), "https://bad.example/?q=%s");
    EXPECT_EQ(EngineOf(L"r"), "(none)") << "the user keeps engines of their own";
    SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSearchAddressValue,
                    L"https://intranet.example/?q=%s");
    UniqueMemory<wchar_t> name = ReadDefaultEngineName();
    ASSERT_TRUE(name);
    EXPECT_STREQ(name.Get(), L"Intranet");

    SetNumber(HKEY_CURRENT_USER, kPolicyKey, kAllowUserEnginesValue, 0);
    EXPECT_EQ(EngineOf(L"w"), "https://intranet.example/?q=%s");
    EXPECT_EQ(EngineOf(L"bad"), "(none)");
  }
  {
    Policies policies;
    SetRegistryText(HKEY_LOCAL_MACHINE, recommendedKeywords, L"r", L"https://rec.example/?q=%s");
    SetRegistryText(HKEY_CURRENT_USER, Below(kRecommendedPolicyKey, kKeywordsKey), L"r",
                    L"https://other.example/?q=%s");
    EXPECT_EQ(EngineOf(L"r"), "https://rec.example/?q=%s");
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue,
                    L"https://user.example/?q=%s");
    EXPECT_EQ(DefaultEngine(), "https://user.example/?q=%s");
    SetNumber(HKEY_LOCAL_MACHINE, kPolicyKey, kAllowUserEnginesValue, 0);
    EXPECT_EQ(EngineOf(L"r"), "(none)");
    EXPECT_EQ(DefaultEngine(), "(none)") << "the user's own address is set aside";
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSearchAddressValue,
                    L"https://duckduckgo.com/?q={searchTerms}");
    EXPECT_EQ(DefaultEngine(), "https://duckduckgo.com/?q={searchTerms}") << "a built-in engine";
  }
}

// The settings window stores nothing a policy fixes, no recommendation left
// as it was shown, and leaves the user's engines alone where they are set
// aside.
TEST(Policies, TheSettingsWindowStoresOnlyWhatTheUserMayChange) {
  Policies policies;
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, kSearchAddressValue,
                  L"https://intranet.example/?q=%s");
  SetRegistryText(HKEY_LOCAL_MACHINE, Below(kPolicyKey, kKeywordsKey), L"in",
                  L"https://intranet.example/?q=%s");
  SetNumber(HKEY_CURRENT_USER, kPolicyKey, kSuggestionsValue, 1);
  SetRegistryText(HKEY_LOCAL_MACHINE, kRecommendedPolicyKey, kFocusKeyValue, L"none");
  SetRegistryText(HKEY_LOCAL_MACHINE, Below(kRecommendedPolicyKey, kKeywordsKey), L"r",
                  L"https://rec.example/?q=%s");
  program::EngineSettings shown;
  ASSERT_HRESULT_SUCCEEDED(program::ReadEngineSettings(&shown));
  ASSERT_EQ(shown.engines.size(), 2u);
  EXPECT_TRUE(IsPolicy(shown.engines[0].layer));
  EXPECT_TRUE(shown.recommendedEngines);
  EXPECT_TRUE(shown.IsFixed(Setting::kSearchAddress));
  EXPECT_TRUE(shown.IsRecommended(Setting::kFocusKey));

  program::EngineSettings chosen = shown;
  chosen.searchAddress.clear();
  chosen.suggestions = false;
  chosen.history = true;
  ASSERT_HRESULT_SUCCEEDED(program::WriteEngineSettings(shown, chosen));
  UniqueMemory<wchar_t> text;
  for (Setting kept : {Setting::kSearchAddress, Setting::kFocusKey})
    EXPECT_EQ(ReadTextSettingIn(SettingLayer::kUser, kept, &text), S_FALSE) << SettingName(kept);
  DWORD number = 0;
  EXPECT_EQ(ReadNumberSettingIn(SettingLayer::kUser, Setting::kSuggestions, &number), S_FALSE);
  EXPECT_EQ(ReadNumberSettingIn(SettingLayer::kUser, Setting::kHistory, &number), S_OK);
  EXPECT_FALSE(HasOwnEngines()) << "the recommended engines, unchanged, stay recommended";

  chosen.focusKey = FocusKey();
  chosen.engines.pop_back();
  ASSERT_HRESULT_SUCCEEDED(program::WriteEngineSettings(shown, chosen));
  EXPECT_EQ(ReadTextSettingIn(SettingLayer::kUser, Setting::kFocusKey, &text), S_OK);
  EXPECT_TRUE(HasOwnEngines());
  EXPECT_EQ(EngineOf(L"r"), "(none)") << "the user removed it";
  EXPECT_EQ(ReadListedSetting(SettingLayer::kUser, SettingList::kKeywords, L"in", &text), S_FALSE);
}

}  // namespace
}  // namespace corvane
