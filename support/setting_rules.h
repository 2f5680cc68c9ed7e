// What each stored setting may hold and what it means: the one place where
// a stored value becomes the value the band, the strip, the settings window
// and the start with Windows go by. A value that breaks its rule (another
// type, too long, out of range) counts as absent. Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/focus_key.h"

namespace corvane {

// The single values under the settings key.
enum class Setting : std::uint8_t {
  kShowGoButton,
  kFocusKey,
  kSuggestions,
  kHistory,
  kSearchAddress,
  kSuggestAddress,
  kPlacement,
  kPlacementMonitor,
  kStripLeft,
  kStripTop,
  kStartWithWindows,
  kAllowUserEngines,
  kSearchClipboardKey,
  kCount,
};

// Where a value may come from, in the order in which they win: what the
// machine's and then the user's policies fix, the user's own choice, and
// what the machine's and then the user's policies recommend where the user
// has chosen nothing.
enum class SettingLayer : std::uint8_t {
  kMachinePolicy,
  kUserPolicy,
  kUser,
  kMachineRecommended,
  kUserRecommended,
  kCount,
};
constexpr bool IsPolicy(SettingLayer layer) { return layer <= SettingLayer::kUserPolicy; }
constexpr bool IsRecommendation(SettingLayer layer) { return layer > SettingLayer::kUser; }
constexpr std::uint32_t SettingBit(Setting setting) { return 1u << static_cast<unsigned>(setting); }
constexpr std::uint8_t LayerBit(SettingLayer layer) {
  return static_cast<std::uint8_t>(1u << static_cast<unsigned>(layer));
}

// Which values a policy fixes, and which it recommends where the user has
// chosen nothing: what the settings window greys, and keeps as they are.
struct SettingSources {
  std::uint32_t fixed = 0;        // a SettingBit each
  std::uint32_t recommended = 0;  // likewise
  bool IsFixed(Setting setting) const { return (fixed & SettingBit(setting)) != 0; }
  bool IsRecommended(Setting setting) const { return (recommended & SettingBit(setting)) != 0; }
  // Notes the layer a value was taken from.
  void Note(Setting setting, SettingLayer from) {
    if (IsPolicy(from)) fixed |= SettingBit(setting);
    if (IsRecommendation(from)) recommended |= SettingBit(setting);
  }
};

// The user's engines: one value per keyword in each of three keys.
enum class SettingList : std::uint8_t {
  kKeywords,  // the engine's address
  kEngineNames,
  kSuggestAddresses,
  kCount,
};

enum class SettingType : std::uint8_t { kNumber, kText };

struct SettingRule {
  SettingType type;
  // A text of more units is not used.
  std::uint32_t maxUnits;
  // A number outside [min, max] is not used.
  std::uint32_t min;
  std::uint32_t max;
  // What a number means when it is absent or not used.
  std::uint32_t fallback;
  // The layers it is read from (LayerBit), in their order.
  std::uint8_t layers;
};

const SettingRule& RuleOf(Setting setting);

// Longer keywords are never stored nor looked up.
constexpr std::size_t kMaxKeywordLength = 63;
// The most units of an address or name: what the settings window offers,
// with room to spare for what a script writes.
constexpr std::uint32_t kMaxSettingTextUnits = 8191;
// The longest focus key text ("Ctrl+Alt+Shift+Win+Backspace" and room).
constexpr std::uint32_t kMaxFocusKeyUnits = 63;

// Whether a stored number, or a stored text of `units` units (without its
// terminator), is used; where it is not, a number means its rule's fallback
// and a text is as if absent.
bool TakesNumber(Setting setting, std::uint32_t stored);
bool TakesText(Setting setting, std::size_t units);
// A whole stored text of `units` units and its terminator: its length, and
// for the focus key and the strip's choices whether it names one. An
// address is checked where it is used (search/engine_layers.h).
bool TakesTextValue(Setting setting, const char16_t* text, std::size_t units);

// The focus key a stored text means: F12 when it is absent (null), empty or
// cannot be read, so that the box can always be called by the keyboard.
FocusKey FocusKeyFromSetting(const char16_t* text);
// The key that searches what was copied: a combination, or none when the
// text is absent, empty, "none" or anything else (F12 is the focus key's).
FocusKey ClipboardKeyFromSetting(const char16_t* text);

// Where the program's strip lives: over the screen beside the taskbar, in a
// row it keeps from other windows, or out of sight until it is called.
enum class StripMode { Float, Reserve, Hidden };
// The monitor it goes to: the primary one, the one with the mouse pointer
// when it is called, or every monitor, a strip on each.
enum class StripMonitor { Primary, Pointer, All };

// The stored texts ("float", "reserve", "hidden"; "primary", "pointer", "all");
// anything else, ASCII case ignored, reads as the first.
StripMode StripModeFromText(std::u16string_view text);
std::u16string_view StripModeText(StripMode mode);
StripMonitor StripMonitorFromText(std::u16string_view text);
std::u16string_view StripMonitorText(StripMonitor monitor);

}  // namespace corvane
