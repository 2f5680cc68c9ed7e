// The focus key's text: what is registered, what is refused, and the text
// the settings window writes back.
#include "support/focus_key.h"

#include "support/setting_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr unsigned kCtrl = kModifierCtrl, kAlt = kModifierAlt, kShift = kModifierShift,
                   kWin = kModifierWin;

FocusKey Combination(unsigned modifiers, unsigned virtualKey) {
  FocusKey key;
  key.kind = FocusKeyKind::kCombination;
  key.modifiers = modifiers;
  key.virtualKey = virtualKey;
  return key;
}

FocusKey OfKind(FocusKeyKind kind) {
  FocusKey key;
  key.kind = kind;
  return key;
}

// As the German and Spanish texts of the settings window name the keys.
constexpr char16_t kGerman[] =
    u"Strg=Ctrl|Umschalt=Shift|Entf=Delete|Bild ab=PageDown|Leertaste=Space|Windows=Win";
constexpr char16_t kSpanish[] = u"May\u00FAs=Shift|Supr=Delete|Espacio=Space";

TEST(FocusKey, ReadsWhatUsersAndAdministratorsWrite) {
  const struct {
    const char16_t* text;
    FocusKey key;
    const char16_t* canonical;  // null: refused
    const char16_t* localNames = nullptr;
  } cases[] = {
      {nullptr, OfKind(FocusKeyKind::kF12Hook), u"F12"},
      {u"", OfKind(FocusKeyKind::kF12Hook), u"F12"},
      {u"f12", OfKind(FocusKeyKind::kF12Hook), u"F12"},
      {u"NONE", OfKind(FocusKeyKind::kNone), u"none"},
      {u"Ctrl+Alt+S", Combination(kCtrl | kAlt, 'S'), u"Ctrl+Alt+S"},
      {u" alt + control + s ", Combination(kCtrl | kAlt, 'S'), u"Ctrl+Alt+S"},
      {u"Ctrl+Shift+Space", Combination(kCtrl | kShift, 0x20), u"Ctrl+Shift+Space"},
      {u"Win+Shift+Page Down", Combination(kShift | kWin, 0x22), u"Shift+Win+PageDown"},
      {u"Alt+7", Combination(kAlt, '7'), u"Alt+7"},
      {u"Shift+F12", Combination(kShift, 0x7B), u"Shift+F12"},
      {u"F9", Combination(0, 0x78), u"F9"},
      {u"Ctrl+F24", Combination(kCtrl, 0x87), u"Ctrl+F24"},
      // Refused: keys that are typed, keys not known, malformed texts.
      {u"S", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Shift+S", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+Alt", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+Ctrl+S", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+S+Alt", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+S+", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl++S", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+F25", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+F0", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+\u00FC", OfKind(FocusKeyKind::kInvalid), nullptr},
      {u"Ctrl+Alt+SpaceSpaceSpaceSpace", OfKind(FocusKeyKind::kInvalid), nullptr},
      // The names of the user's language beside the English ones; the
      // English text is what is stored and shown.
      {u"Strg+Alt+S", Combination(kCtrl | kAlt, 'S'), u"Ctrl+Alt+S", kGerman},
      {u"strg + umschalt + LEERTASTE", Combination(kCtrl | kShift, 0x20), u"Ctrl+Shift+Space",
       kGerman},
      {u"STRG+Bildab", Combination(kCtrl, 0x22), u"Ctrl+PageDown", kGerman},
      {u"Windows+Alt+Entf", Combination(kAlt | kWin, 0x2E), u"Alt+Win+Delete", kGerman},
      {u"Ctrl+Alt+S", Combination(kCtrl | kAlt, 'S'), u"Ctrl+Alt+S", kGerman},
      {u"MAY\u00DAS+Ctrl+Supr", Combination(kCtrl | kShift, 0x2E), u"Ctrl+Shift+Delete", kSpanish},
      {u"Strg+S", OfKind(FocusKeyKind::kInvalid), nullptr},  // without the German names
      {u"Umschalt+S", OfKind(FocusKeyKind::kInvalid), nullptr, kGerman},
      {u"Ctrl+Supr", OfKind(FocusKeyKind::kInvalid), nullptr, kGerman},
  };
  for (const auto& c : cases) {
    std::u16string shown = c.text != nullptr ? c.text : u"(null)";
    FocusKey key = ParseFocusKey(c.text, c.localNames);
    EXPECT_TRUE(key == c.key) << std::string(shown.begin(), shown.end());
    char16_t text[32] = {};
    EXPECT_EQ(FormatFocusKey(key, text, 32), c.canonical != nullptr);
    if (c.canonical != nullptr) {
      EXPECT_EQ(std::u16string(text), c.canonical);
      EXPECT_TRUE(ParseFocusKey(text) == key);  // the written text reads back
    }
  }
}

TEST(FocusKey, FormatNeverOverrunsItsBuffer) {
  char16_t text[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
  EXPECT_FALSE(FormatFocusKey(Combination(kCtrl | kAlt, 'S'), text, 5));
  EXPECT_EQ(text[5], u'#');
}

// The clipboard's key takes a combination alone: what is absent, empty,
// "none", F12 (the focus key's own) or unreadable means no key, and only
// those texts are stored.
TEST(ClipboardKey, IsACombinationOrNone) {
  const struct {
    const char16_t* text;
    FocusKey key;
    bool stored;
  } cases[] = {
      {nullptr, OfKind(FocusKeyKind::kNone), true},
      {u"", OfKind(FocusKeyKind::kNone), true},
      {u"None", OfKind(FocusKeyKind::kNone), true},
      {u"F12", OfKind(FocusKeyKind::kNone), false},
      {u"Ctrl+Q", Combination(kCtrl, 'Q'), true},
      {u"Win+Shift+V", Combination(kWin | kShift, 'V'), true},
      {u"ctrl + alt + space", Combination(kCtrl | kAlt, 0x20), true},
      {u"Shift+V", OfKind(FocusKeyKind::kNone), false},  // a typed character
      {u"Ctrl+", OfKind(FocusKeyKind::kNone), false},
  };
  for (const auto& c : cases) {
    const std::u16string shown = c.text ? c.text : u"(absent)";
    EXPECT_TRUE(ClipboardKeyFromSetting(c.text) == c.key)
        << std::string(shown.begin(), shown.end());
    if (c.text != nullptr)
      EXPECT_EQ(TakesTextValue(Setting::kSearchClipboardKey, c.text,
                               std::char_traits<char16_t>::length(c.text)),
                c.stored)
          << std::string(shown.begin(), shown.end());
  }
}

}  // namespace
}  // namespace corvane
