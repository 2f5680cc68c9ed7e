#include "support/focus_key.h"

#include "support/ascii_text.h"
#include "support/bounded_string.h"

namespace corvane {
namespace {

struct NamedKey {
  char16_t name[10];
  unsigned virtualKey;
};

// The keys with names; letters, digits and F1-F24 are read apart.
constexpr NamedKey kNamedKeys[] = {
    {u"Space", 0x20},  {u"Enter", 0x0D}, {u"Tab", 0x09},  {u"Backspace", 0x08}, {u"Insert", 0x2D},
    {u"Delete", 0x2E}, {u"Home", 0x24},  {u"End", 0x23},  {u"PageUp", 0x21},    {u"PageDown", 0x22},
    {u"Up", 0x26},     {u"Down", 0x28},  {u"Left", 0x25}, {u"Right", 0x27},     {u"Pause", 0x13},
};

struct NamedModifier {
  char16_t name[6];
  unsigned flag;
};

// In the order the canonical text writes them.
constexpr NamedModifier kModifiers[] = {
    {u"Ctrl", kModifierCtrl},
    {u"Alt", kModifierAlt},
    {u"Shift", kModifierShift},
    {u"Win", kModifierWin},
};

constexpr unsigned kVirtualKeyF1 = 0x70;
constexpr unsigned kVirtualKeyF12 = 0x7B;
constexpr unsigned kVirtualKeyF24 = 0x87;
constexpr std::size_t kMaxTokenLength = 15;

bool IsFunctionKey(unsigned virtualKey) {
  return virtualKey >= kVirtualKeyF1 && virtualKey <= kVirtualKeyF24;
}

// One "+"-separated part without the spaces around it, folded to lower case.
struct Token {
  char16_t text[kMaxTokenLength + 1] = {};
  bool tooLong = false;
};

// Reads the token at `text`; returns where the next one starts (after its
// "+"), or the terminator.
const char16_t* ReadToken(const char16_t* text, Token* token) {
  while (*text == u' ') ++text;
  std::size_t length = 0;
  for (; *text != 0 && *text != u'+'; ++text) {
    if (*text == u' ') continue;
    if (length == kMaxTokenLength)
      token->tooLong = true;
    else
      token->text[length++] = FoldAscii(*text);
  }
  return *text == u'+' ? text + 1 : text;
}

// The key code of a key's name, or 0.
unsigned KeyOfName(const char16_t* name) {
  if (name[0] != 0 && name[1] == 0) {
    if (name[0] >= u'a' && name[0] <= u'z') return name[0] - u'a' + 'A';
    if (name[0] >= u'0' && name[0] <= u'9') return name[0];
  }
  if (name[0] == u'f' && name[1] >= u'1' && name[1] <= u'9') {
    unsigned number = name[1] - u'0';
    if (name[2] >= u'0' && name[2] <= u'9' && name[3] == 0)
      number = number * 10 + (name[2] - u'0');
    else if (name[2] != 0)
      number = 0;
    if (number >= 1 && number <= 24) return kVirtualKeyF1 + number - 1;
  }
  for (const NamedKey& key : kNamedKeys)
    if (EqualsIgnoringAsciiCase(name, key.name)) return key.virtualKey;
  return 0;
}

unsigned ModifierOfName(const char16_t* name) {
  if (EqualsIgnoringAsciiCase(name, u"control")) return kModifierCtrl;
  for (const NamedModifier& modifier : kModifiers)
    if (EqualsIgnoringAsciiCase(name, modifier.name)) return modifier.flag;
  return 0;
}

// Case of Latin letters with and without accents, for names such as "Mayús".
char16_t FoldLatin(char16_t unit) {
  if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return static_cast<char16_t>(unit + 32);
  return FoldAscii(unit);
}

// Whether the name at `name` (up to `end`) equals the folded token.
bool IsLocalName(const char16_t* name, const char16_t* end, const char16_t* token) {
  for (; name != end; ++name) {
    if (*name == u' ') continue;
    if (FoldLatin(*name) != FoldLatin(*token)) return false;
    ++token;
  }
  return *token == 0;
}

// Puts the English name for a name of the user's language into the token.
void TranslateToken(Token* token, const char16_t* localNames) {
  for (const char16_t* entry = localNames; entry != nullptr && *entry != 0;) {
    const char16_t* equals = entry;
    while (*equals != 0 && *equals != u'=' && *equals != u'|') ++equals;
    const char16_t* english = *equals == u'=' ? equals + 1 : equals;
    const char16_t* next = english;
    while (*next != 0 && *next != u'|') ++next;
    if (*equals == u'=' && IsLocalName(entry, equals, token->text)) {
      Token translated;
      for (std::size_t length = 0; english != next && length < kMaxTokenLength; ++english)
        translated.text[length++] = FoldAscii(*english);
      *token = translated;
      return;
    }
    entry = *next == u'|' ? next + 1 : next;
  }
}

// The name of a key code that is not a letter, digit or function key.
const char16_t* NameOfKey(unsigned virtualKey) {
  for (const NamedKey& key : kNamedKeys)
    if (key.virtualKey == virtualKey) return key.name;
  return nullptr;
}

}  // namespace

FocusKey ParseFocusKey(const char16_t* text, const char16_t* localNames) {
  FocusKey key;
  if (text == nullptr || text[0] == 0) return key;
  if (EqualsIgnoringAsciiCase(text, kFocusKeyNone)) {
    key.kind = FocusKeyKind::kNone;
    return key;
  }
  FocusKey invalid;
  invalid.kind = FocusKeyKind::kInvalid;
  unsigned modifiers = 0;
  unsigned virtualKey = 0;
  for (const char16_t* next = text; *next != 0;) {
    Token token;
    const char16_t* after = ReadToken(next, &token);
    if (!token.tooLong) TranslateToken(&token, localNames);
    // A "+" at the end leaves an empty last part: a key is missing.
    if (token.tooLong || token.text[0] == 0 || virtualKey != 0) return invalid;
    if (unsigned modifier = ModifierOfName(token.text)) {
      if ((modifiers & modifier) != 0) return invalid;
      modifiers |= modifier;
    } else if ((virtualKey = KeyOfName(token.text)) == 0) {
      return invalid;
    }
    if (*after == 0 && after[-1] == u'+') return invalid;
    next = after;
  }
  if (virtualKey == 0) return invalid;
  if (modifiers == 0 && virtualKey == kVirtualKeyF12) return key;  // the hook
  if ((modifiers & (kModifierCtrl | kModifierAlt | kModifierWin)) == 0 &&
      !IsFunctionKey(virtualKey))
    return invalid;
  key.kind = FocusKeyKind::kCombination;
  key.modifiers = modifiers;
  key.virtualKey = virtualKey;
  return key;
}

bool FormatFocusKey(const FocusKey& key, char16_t* text, std::size_t capacity) {
  if (text == nullptr || capacity == 0) return false;
  text[0] = 0;
  switch (key.kind) {
    case FocusKeyKind::kF12Hook:
      return BoundedCopy(text, capacity, kFocusKeyF12) == kResultOk;
    case FocusKeyKind::kNone:
      return BoundedCopy(text, capacity, kFocusKeyNone) == kResultOk;
    case FocusKeyKind::kInvalid:
      return false;
    case FocusKeyKind::kCombination:
      break;
  }
  for (const NamedModifier& modifier : kModifiers)
    if ((key.modifiers & modifier.flag) != 0 &&
        (!BoundedAppend(text, capacity, modifier.name) || !BoundedAppend(text, capacity, u"+")))
      return false;
  char16_t name[4] = {};
  const char16_t* keyName = NameOfKey(key.virtualKey);
  if (keyName == nullptr) {
    if (IsFunctionKey(key.virtualKey)) {
      unsigned number = key.virtualKey - kVirtualKeyF1 + 1;
      name[0] = u'F';
      name[1] = static_cast<char16_t>(number < 10 ? u'0' + number : u'0' + number / 10);
      if (number >= 10) name[2] = static_cast<char16_t>(u'0' + number % 10);
    } else if ((key.virtualKey >= 'A' && key.virtualKey <= 'Z') ||
               (key.virtualKey >= '0' && key.virtualKey <= '9')) {
      name[0] = static_cast<char16_t>(key.virtualKey);
    } else {
      return false;
    }
    keyName = name;
  }
  return BoundedAppend(text, capacity, keyName);
}

}  // namespace corvane
