#include "support/setting_rules.h"

#include <algorithm>

#include "support/ascii_text.h"

namespace corvane {
namespace {

constexpr std::uint32_t kAnyNumber = 0xFFFFFFFFu;
constexpr std::uint32_t kMaxChoiceUnits = 15;

constexpr std::uint8_t kEveryLayer = 0x1F;
constexpr std::uint8_t kPolicyLayers =
    LayerBit(SettingLayer::kMachinePolicy) | LayerBit(SettingLayer::kUserPolicy);

constexpr SettingRule Number(std::uint32_t fallback) {
  return {SettingType::kNumber, 0, 0, kAnyNumber, fallback, kEveryLayer};
}
constexpr SettingRule Text(std::uint32_t maxUnits) {
  return {SettingType::kText, maxUnits, 0, 0, 0, kEveryLayer};
}
// Where the user keeps the strip is theirs alone.
constexpr SettingRule UserNumber() {
  return {SettingType::kNumber, 0, 0, kAnyNumber, 0, LayerBit(SettingLayer::kUser)};
}

// In the order of Setting.
constexpr SettingRule kRules[] = {
    Number(1),                   // ShowGoButton: 0 hidden, any other shown
    Text(kMaxFocusKeyUnits),     // FocusKey
    Number(0),                   // Suggestions: off unless asked for
    Number(0),                   // History: likewise
    Text(kMaxSettingTextUnits),  // SearchAddress
    Text(kMaxSettingTextUnits),  // SuggestAddress
    Text(kMaxChoiceUnits),       // Placement
    Text(kMaxChoiceUnits),       // PlacementMonitor
    UserNumber(),                // StripLeft, two's complement
    UserNumber(),                // StripTop
    // StartWithWindows: a policy's 1 starts it for every user and its 0
    // never; the user's 0 declines the machine's start.
    {SettingType::kNumber, 0, 0, 1, 1, kPolicyLayers | LayerBit(SettingLayer::kUser)},
    // AllowUserEngines: a policy's 0 sets the user's own engines aside.
    {SettingType::kNumber, 0, 0, 1, 1, kPolicyLayers},
    Text(kMaxFocusKeyUnits),  // SearchClipboardKey
};
static_assert(sizeof kRules / sizeof kRules[0] == static_cast<std::size_t>(Setting::kCount),
              "one rule per setting");

// The index of `text` among `texts`, ASCII case ignored; `count` if none.
template <std::size_t count>
std::size_t ChoiceIndex(std::u16string_view text, const std::u16string_view (&texts)[count]) {
  auto same = [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); };
  std::size_t at = 0;
  while (at < count &&
         !std::equal(text.begin(), text.end(), texts[at].begin(), texts[at].end(), same))
    ++at;
  return at;
}

template <std::size_t count>
bool IsChoice(std::u16string_view text, const std::u16string_view (&texts)[count]) {
  return ChoiceIndex(text, texts) < count;
}

template <class Choice, std::size_t count>
Choice FromText(std::u16string_view text, const std::u16string_view (&texts)[count]) {
  const std::size_t at = ChoiceIndex(text, texts);
  return static_cast<Choice>(at < count ? at : 0);
}

// In the enumerations' order; the first is the default.
constexpr std::u16string_view kModeTexts[] = {u"float", u"reserve", u"hidden"};
constexpr std::u16string_view kMonitorTexts[] = {u"primary", u"pointer", u"all"};

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

bool TakesTextValue(Setting setting, const char16_t* text, std::size_t units) {
  if (!TakesText(setting, units)) return false;
  switch (setting) {
    case Setting::kFocusKey:
      return ParseFocusKey(text).kind != FocusKeyKind::kInvalid;
    case Setting::kSearchClipboardKey:
      return units == 0 || ClipboardKeyFromSetting(text).kind == FocusKeyKind::kCombination ||
             ParseFocusKey(text).kind == FocusKeyKind::kNone;
    case Setting::kPlacement:
      return IsChoice({text, units}, kModeTexts);
    case Setting::kPlacementMonitor:
      return IsChoice({text, units}, kMonitorTexts);
    default:
      return true;
  }
}

FocusKey FocusKeyFromSetting(const char16_t* text) {
  const FocusKey key = ParseFocusKey(text);
  return key.kind == FocusKeyKind::kInvalid ? FocusKey() : key;
}

FocusKey ClipboardKeyFromSetting(const char16_t* text) {
  FocusKey key = ParseFocusKey(text);
  if (text == nullptr || text[0] == u'\0' || key.kind != FocusKeyKind::kCombination)
    key = {FocusKeyKind::kNone, 0, 0};
  return key;
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
