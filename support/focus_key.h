// The key that puts the focus into the search box, as the user writes it:
// "F12" (the keyboard hook), "none", or a combination such as "Ctrl+Alt+S"
// that is registered with the system.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvane {

enum class FocusKeyKind : std::uint8_t {
  kF12Hook,  // also what an absent or empty value means
  kNone,
  kCombination,
  kInvalid,
};

// The system's modifier flags for a registered key combination.
enum FocusKeyModifier : unsigned {
  kModifierAlt = 0x1,
  kModifierCtrl = 0x2,
  kModifierShift = 0x4,
  kModifierWin = 0x8,
};

struct FocusKey {
  FocusKeyKind kind = FocusKeyKind::kF12Hook;
  unsigned modifiers = 0;   // FocusKeyModifier flags, for a combination
  unsigned virtualKey = 0;  // the system's key code, for a combination

  bool operator==(const FocusKey& other) const {
    return kind == other.kind && modifiers == other.modifiers && virtualKey == other.virtualKey;
  }
  bool operator!=(const FocusKey& other) const { return !(*this == other); }
};

constexpr char16_t kFocusKeyF12[] = u"F12";
constexpr char16_t kFocusKeyNone[] = u"none";

// Names and modifiers ignore ASCII case and spaces around "+"; each modifier
// (Ctrl, Alt, Shift, Win) at most once, then one key: A-Z, 0-9, F1-F24,
// Space, Enter, Tab, Backspace, Insert, Delete, Home, End, PageUp, PageDown,
// Up, Down, Left, Right or Pause. A combination needs Ctrl, Alt or Win, or a
// function key, so that it never takes a key that is typed. Null or empty
// text is F12.
//
// `localNames`, when given, also accepts the names of the user's language
// for those keys, as their keyboards label them: "Strg=Ctrl|Entf=Delete"
// (names compared as typed, spaces and case of Latin letters aside).
FocusKey ParseFocusKey(const char16_t* text, const char16_t* localNames = nullptr);

// The canonical text of a key ("Ctrl+Alt+S", "F12", "none"), terminated;
// false when it does not fit in `capacity` units or the key is invalid.
bool FormatFocusKey(const FocusKey& key, char16_t* text, std::size_t capacity);

}  // namespace corvane
