#include "support/setting_rules.h"

#include <algorithm>

#include "support/ascii_text.h"

namespace corvane {
namespace {

constexpr std::uint32_t kAnyNumber = 0xFFFFFFFFu;
constexpr std::uint32_t kMaxChoiceUnits = 15;

constexpr SettingRule Number(std::uint32_t fallback) {
  return {SettingType::kNumber, 0, 0, kAnyNumber, fallback};
}
constexpr SettingRule Text(std::uint32_t maxUnits) {
  return {SettingType::kText, maxUnits, 0, 0, 0};
}

// In the order of Setting.
constexpr SettingRule kRules[] = {
    Number(1),                           // ShowGoButton: 0 hidden, any other shown
    Text(kMaxFocusKeyUnits),             // FocusKey
    Number(0),                           // Suggestions: off unless asked for
    Number(0),                           // History: likewise
    Text(kMaxSettingTextUnits),          // SearchAddress
    Text(kMaxSettingTextUnits),          // SuggestAddress
    Text(kMaxChoiceUnits),               // Placement
    Text(kMaxChoiceUnits),               // PlacementMonitor
    Number(0),                           // StripLeft, two's complement
    Number(0),                           // StripTop
    {SettingType::kNumber, 0, 0, 1, 1},  // StartWithWindows: 0 the user declines
};
static_assert(sizeof kRules / sizeof kRules[0] == static_cast<std::size_t>(Setting::kCount),
              "one rule per setting");

template <class Choice, std::size_t count>
Choice FromText(std::u16string_view text, const std::u16string_view (&texts)[count]) {
  auto same = [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); };
  for (std::size_t at = 0; at < count; ++at)
    if (std::equal(text.begin(), text.end(), texts[at].begin(), texts[at].end(), same))
      return static_cast<Choice>(at);
  return static_cast<Choice>(0);
}

// In the enumerations' order; the first is the default.
constexpr std::u16string_view kModeTexts[] = {u"float", u"reserve", u"hidden"};
constexpr std::u16string_view kMonitorTexts[] = {u"primary", u"pointer"};

}  // namespace

const SettingRule& RuleOf(Setting setting) { return kRules[static_cast<std::size_t>(setting)]; }

bool TakesNumber(Setting setting, std::uint32_t stored) {
  const SettingRule& rule = RuleOf(setting);
  return rule.type == SettingType::kNumber && stored >= rule.min && stored <= rule.max;
}

bool TakesText(Setting setting, std::size_t units) {
  const SettingRule& rule = RuleOf(setting);
  return rule.type == SettingType::kText && units <= rule.maxUnits;
}

FocusKey FocusKeyFromSetting(const char16_t* text) {
  const FocusKey key = ParseFocusKey(text);
  return key.kind == FocusKeyKind::kInvalid ? FocusKey() : key;
}

StripMode StripModeFromText(std::u16string_view text) {
  return FromText<StripMode>(text, kModeTexts);
}

std::u16string_view StripModeText(StripMode mode) { return kModeTexts[static_cast<int>(mode)]; }

StripMonitor StripMonitorFromText(std::u16string_view text) {
  return FromText<StripMonitor>(text, kMonitorTexts);
}

std::u16string_view StripMonitorText(StripMonitor monitor) {
  return kMonitorTexts[static_cast<int>(monitor)];
}

}  // namespace corvane
