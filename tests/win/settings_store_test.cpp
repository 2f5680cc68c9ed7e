// The settings on the registry of the Wine prefix (HKEY_CURRENT_USER
// redirected to a scratch key): the Go button, the snapshot every reader
// shares, and a change that fails part-way.
#include "program/engine_settings.h"
#include "res/product.h"
#include "support/settings_store.h"

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/win/test_support.h"

namespace corvane {
namespace {

using test::ScratchRegistryRoot;
using test::SetRegistryText;
using test::SetRegistryValue;

constexpr BOOL kUntouched = 42;

struct StoredCase {
  DWORD type;
  std::vector<BYTE> data;
  BOOL found;
  BOOL show;
};

TEST(ReadShowGoButton, ValidOnlyAsAFourByteDword) {
  const StoredCase cases[] = {
      {REG_DWORD, {0, 0, 0, 0}, TRUE, FALSE},
      {REG_DWORD, {7, 0, 0, 0}, TRUE, TRUE},
      {REG_DWORD, {0, 0, 0, 1}, TRUE, TRUE},
      {REG_SZ, {'0', 0, 0, 0}, FALSE, kUntouched},
      {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, FALSE, kUntouched},
      {REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}, FALSE, kUntouched},
      {REG_BINARY, {1, 0}, FALSE, kUntouched},
      {REG_DWORD, {1, 0}, FALSE, kUntouched},
  };
  for (const StoredCase& c : cases) {
    ScratchRegistryRoot user(HKEY_CURRENT_USER);
    SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, c.type, c.data.data(),
                     static_cast<DWORD>(c.data.size()));
    BOOL show = kUntouched;
    EXPECT_EQ(ReadShowGoButton(&show), c.found) << c.type << "/" << c.data.size();
    EXPECT_EQ(show, c.show) << c.type << "/" << c.data.size();
    if (c.found) {
      EXPECT_EQ(ReadShowGoButton(nullptr), TRUE);
    }
  }
}

TEST(ReadShowGoButton, MissingKeyOrValue) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  BOOL show = kUntouched;
  EXPECT_FALSE(ReadShowGoButton(&show));
  test::SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"Other", L"1");
  EXPECT_FALSE(ReadShowGoButton(&show));
  EXPECT_EQ(show, kUntouched);
}

TEST(WriteShowGoButton, CreatesTheKeyAndStoresZeroOrOne) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  EXPECT_TRUE(WriteShowGoButton(5));
  DWORD value = 99, size = sizeof value, type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, RRF_RT_ANY, &type,
                         &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(WriteShowGoButton(FALSE));
  BOOL show = kUntouched;
  EXPECT_TRUE(ReadShowGoButton(&show));
  EXPECT_EQ(show, FALSE);
}

void SetNumber(const wchar_t* name, DWORD value) {
  SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &value, sizeof value);
}

FocusKey Combination(unsigned modifiers, unsigned virtualKey) {
  return {FocusKeyKind::kCombination, modifiers, virtualKey};
}

// The band and the strip read one snapshot: a value its rule refuses (of
// another type, too long, out of range, unreadable) is its default for both.
TEST(ReadSettings, EachValueByItsRule) {
  struct Case {
    const wchar_t* focusKey;  // null: absent
    FocusKey expected;
  };
  const std::wstring tooLong = L"Ctrl+Alt+S" + std::wstring(60, L' ');
  const Case cases[] = {
      {nullptr, FocusKey()},
      {L"", FocusKey()},
      {L"Ctrl+", FocusKey()},
      {tooLong.c_str(), FocusKey()},
      {L"none", {FocusKeyKind::kNone, 0, 0}},
      {L"ctrl + alt + s", Combination(kModifierCtrl | kModifierAlt, 'S')},
  };
  for (const Case& c : cases) {
    ScratchRegistryRoot user(HKEY_CURRENT_USER);
    if (c.focusKey != nullptr)
      SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kFocusKeyValue, c.focusKey);
    EXPECT_EQ(ReadSettings().focusKey, c.expected) << (c.focusKey ? c.focusKey : L"(absent)");
  }

  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kSuggestionsValue, L"1");
  SetNumber(kStartWithWindowsValue, 5);
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kPlacementValue,
                  L"hidden" + std::wstring(10, L' '));
  SetNumber(kStripLeftValue, 10);  // without its top
  Settings refused = ReadSettings();
  EXPECT_FALSE(refused.suggestions);
  EXPECT_FALSE(refused.declinesStart);
  EXPECT_EQ(refused.placement, StripMode::Float);
  EXPECT_FALSE(refused.hasStripPlace);

  SetNumber(kSuggestionsValue, 7);
  SetNumber(kStartWithWindowsValue, 0);
  SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, kPlacementValue, L"Hidden");
  SetNumber(kStripTopValue, static_cast<DWORD>(-20));
  SetNumber(kShowGoButtonValue, 0);
  Settings taken = ReadSettings();
  EXPECT_TRUE(taken.suggestions);
  EXPECT_TRUE(taken.declinesStart);
  EXPECT_EQ(taken.placement, StripMode::Hidden);
  ASSERT_TRUE(taken.hasStripPlace);
  EXPECT_EQ(taken.stripPlace.x, 10);
  EXPECT_EQ(taken.stripPlace.y, -20);
  EXPECT_EQ(taken.showGoButton, FALSE);
}

std::map<std::wstring, std::wstring> Listed(const wchar_t* key) {
  std::map<std::wstring, std::wstring> values;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return values;
  wchar_t name[256], data[512];
  for (DWORD index = 0;; ++index) {
    DWORD nameUnits = ARRAYSIZE(name), bytes = sizeof data;
    if (RegEnumValueW(handle, index, name, &nameUnits, nullptr, nullptr,
                      reinterpret_cast<BYTE*>(data), &bytes) != ERROR_SUCCESS)
      break;
    values[name] = data;
  }
  RegCloseKey(handle);
  return values;
}

program::EngineSettings Engines(std::initializer_list<program::UserEngine> engines) {
  program::EngineSettings settings;
  settings.engines = engines;
  return settings;
}

TEST(WriteEngineSettings, ReplacesTheEnginesWholly) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  ASSERT_HRESULT_SUCCEEDED(program::WriteEngineSettings(
      {}, Engines({{L"Wiki", L"w", L"https://w.example/?q={searchTerms}",
                    L"https://w.example/s?q={searchTerms}"},
                   {L"Old", L"x", L"https://x.example/?q={searchTerms}", L""}})));
  ASSERT_HRESULT_SUCCEEDED(program::WriteEngineSettings(
      {}, Engines({{L"Wiki", L"w", L"https://w.example/new?q={searchTerms}", L""},
                   {L"New", L"y", L"https://y.example/?q={searchTerms}", L""}})));
  using Values = std::map<std::wstring, std::wstring>;
  EXPECT_EQ(Listed(test::Below(kSettingsKey, kKeywordsKey).c_str()),
            (Values{{L"w", L"https://w.example/new?q={searchTerms}"},
                    {L"y", L"https://y.example/?q={searchTerms}"}}));
  EXPECT_EQ(Listed(test::Below(kSettingsKey, kEngineNamesKey).c_str()),
            (Values{{L"w", L"Wiki"}, {L"y", L"New"}}));
  EXPECT_TRUE(Listed(test::Below(kSettingsKey, kSuggestAddressesKey).c_str()).empty());
  program::EngineSettings read;
  ASSERT_HRESULT_SUCCEEDED(program::ReadEngineSettings(&read));
  EXPECT_EQ(read.engines.size(), 2u);
}

// The settings key is volatile and holds the engines' addresses in a
// volatile key: the names' key, which is not, cannot be made under it, so
// the change fails after the new addresses were written.
TEST(WriteEngineSettings, AFailurePartWayKeepsEveryEngine) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  for (const std::wstring& path :
       {std::wstring(kSettingsKey), test::Below(kSettingsKey, kKeywordsKey)}) {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  SetRegistryText(HKEY_CURRENT_USER, test::Below(kSettingsKey, kKeywordsKey), L"w",
                  L"https://w.example/?q={searchTerms}");
  SetRegistryText(HKEY_CURRENT_USER, test::Below(kSettingsKey, kKeywordsKey), L"x",
                  L"https://x.example/?q={searchTerms}");

  EXPECT_HRESULT_FAILED(program::WriteEngineSettings(
      {}, Engines({{L"Wiki", L"w", L"https://w.example/new?q={searchTerms}", L""},
                   {L"New", L"y", L"https://y.example/?q={searchTerms}", L""}})));
  const std::map<std::wstring, std::wstring> kept =
      Listed(test::Below(kSettingsKey, kKeywordsKey).c_str());
  EXPECT_EQ(kept.count(L"x"), 1u) << "an engine the change would have taken away is lost";
  EXPECT_EQ(kept.count(L"y"), 1u);
}

}  // namespace
}  // namespace corvane
