// The colours of each mode, the language of the texts, and the reading of a
// string table's block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "support/string_block.h"
#include "support/text_language.h"
#include "support/band_colours.h"

namespace corvane {
namespace {

// WCAG's relative luminance and contrast ratio.
double Luminance(Colour colour) {
  double sum = 0;
  const double weights[] = {0.2126, 0.7152, 0.0722};
  for (int channel = 0; channel < 3; ++channel) {
    double value = ((colour >> (8 * channel)) & 0xFF) / 255.0;
    value = value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    sum += weights[channel] * value;
  }
  return sum;
}

double Contrast(Colour a, Colour b) {
  double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
  return la > lb ? la / lb : lb / la;
}

// Every system colour different, so that each choice shows where it came from.
const SystemColours kSystem = {MakeColour(1, 0, 0), MakeColour(2, 0, 0), MakeColour(3, 0, 0),
                               MakeColour(4, 0, 0), MakeColour(5, 0, 0), MakeColour(6, 0, 0),
                               MakeColour(7, 0, 0), MakeColour(8, 0, 0)};

TEST(BandColours, HighContrastTakesOnlyTheUsersColours) {
  const BandColours c = ChooseBandColours(ColourMode::kHighContrast, kSystem);
  const std::vector<Colour> system = {
      kSystem.window,     kSystem.windowText,   kSystem.grayText,  kSystem.buttonFace,
      kSystem.buttonText, kSystem.buttonShadow, kSystem.highlight, kSystem.highlightText};
  for (Colour used : {c.box, c.boxText, c.hint, c.goOutline, c.goHotOutline, c.list, c.listText,
                      c.listMark, c.listChosen, c.listChosenText, c.listHot, c.strip, c.stripGrip})
    EXPECT_NE(std::find(system.begin(), system.end(), used), system.end()) << used;
  EXPECT_TRUE(c.plainGoButton);
  EXPECT_EQ(c.box, kSystem.window);
  EXPECT_EQ(c.boxText, kSystem.windowText);
  EXPECT_EQ(c.hint, kSystem.grayText);
  EXPECT_EQ(c.listChosen, kSystem.highlight);
  EXPECT_EQ(c.listChosenText, kSystem.highlightText);
}

TEST(BandColours, LightIsTodaysLook) {
  const BandColours c = ChooseBandColours(ColourMode::kLight, kSystem);
  EXPECT_FALSE(c.plainGoButton);
  EXPECT_EQ(c.box, kSystem.window);
  EXPECT_EQ(c.boxText, kSystem.windowText);
  EXPECT_EQ(c.hint, MakeColour(102, 102, 102));
  EXPECT_EQ(c.strip, kSystem.buttonFace);
  EXPECT_EQ(c.stripGrip, kSystem.buttonShadow);
}

// Windows' own light colours, and Wine's, whose grey text is lighter.
const SystemColours kWindowsLight = {MakeColour(255, 255, 255), MakeColour(0, 0, 0),
                                     MakeColour(109, 109, 109), MakeColour(240, 240, 240),
                                     MakeColour(0, 0, 0),       MakeColour(160, 160, 160),
                                     MakeColour(0, 120, 215),   MakeColour(255, 255, 255)};
SystemColours WineLight() {
  SystemColours wine = kWindowsLight;
  wine.grayText = MakeColour(158, 158, 158);
  wine.highlight = MakeColour(49, 106, 197);
  return wine;
}

// Every text readable on what it is drawn on (4.5:1) in each mode, the
// "Recent" mark on a row under the pointer too; the dark grip seen (3:1).
TEST(BandColours, TextsAreReadableInEveryMode) {
  const struct {
    const char* name;
    BandColours colours;
  } modes[] = {{"light", ChooseBandColours(ColourMode::kLight, kWindowsLight)},
               {"light (Wine)", ChooseBandColours(ColourMode::kLight, WineLight())},
               {"dark", ChooseBandColours(ColourMode::kDark, kSystem)}};
  for (const auto& mode : modes) {
    const BandColours& c = mode.colours;
    const struct {
      Colour text, back;
    } texts[] = {{c.boxText, c.box},
                 {c.hint, c.box},
                 {c.listText, c.list},
                 {c.listMark, c.list},
                 {c.listMark, c.listHot},
                 {c.listText, c.listHot},
                 {c.listChosenText, c.listChosen}};
    for (const auto& pair : texts)
      EXPECT_GE(Contrast(pair.text, pair.back), 4.5)
          << mode.name << ": " << std::hex << pair.text << " on " << pair.back;
  }
  const BandColours dark = ChooseBandColours(ColourMode::kDark, kSystem);
  EXPECT_LT(Luminance(dark.box), 0.05);
  EXPECT_GE(Contrast(dark.stripGrip, dark.strip), 3.0);  // a shape, not a text
}

TEST(TextLanguage, TheDisplayLanguageChoosesAmongCorvanesTexts) {
  const struct {
    std::uint16_t display, texts;
  } cases[] = {
      {0x0409, 0x0409}, {0x0809, 0x0409},  // English, any country
      {0x0407, 0x0407}, {0x0C07, 0x0407},  // German in Germany and Austria
      {0x080C, 0x040C}, {0x040A, 0x0C0A}, {0x0410, 0x0410},
      {0x0416, 0x0416}, {0x0816, 0x0416},  // Portuguese: Brazil's texts
      {0x0813, 0x0413}, {0x0415, 0x0415}, {0x0411, 0x0411},
      {0x0804, 0x0804}, {0x1004, 0x0804},  // simplified Chinese
      {0x0404, 0x0409}, {0x0C04, 0x0409},  // traditional Chinese: English
      {0x041D, 0x0409}, {0x0C00, 0x0409}, {0x0000, 0x0409},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextLanguageFor(c.display), c.texts) << std::hex << c.display;
}

// A block as a resource compiler writes it: sixteen counted texts.
std::vector<char16_t> Block(const std::vector<std::u16string>& texts) {
  std::vector<char16_t> block;
  for (size_t i = 0; i < kStringsPerBlock; ++i) {
    std::u16string text = i < texts.size() ? texts[i] : u"";
    block.push_back(static_cast<char16_t>(text.size()));
    block.insert(block.end(), text.begin(), text.end());
  }
  return block;
}

TEST(StringBlock, FindsEachTextAndNothingBeyondTheBlock) {
  const std::vector<char16_t> block = Block({u"", u"Zuletzt", u"", u"Vorschläge"});
  const size_t bytes = block.size() * sizeof(char16_t);
  EXPECT_EQ(StringBlockOf(311), 20u);
  BlockText text = TextInStringBlock(block.data(), bytes, 16 * 19 + 1);
  EXPECT_EQ(std::u16string(text.units, text.length), u"Zuletzt");
  text = TextInStringBlock(block.data(), bytes, 16 * 19 + 3);
  EXPECT_EQ(std::u16string(text.units, text.length), u"Vorschläge");
  EXPECT_EQ(TextInStringBlock(block.data(), bytes, 16 * 19 + 2).length, 0u);
  // Cut anywhere, the block gives what it wholly holds and nothing else.
  for (size_t units = 0; units < block.size(); ++units) {
    std::vector<char16_t> shorter(block.begin(), block.begin() + units);
    text = TextInStringBlock(shorter.data(), units * sizeof(char16_t), 16 * 19 + 3);
    EXPECT_TRUE(text.length == 0 || text.units + text.length <= shorter.data() + units) << units;
  }
}

}  // namespace
}  // namespace corvane
