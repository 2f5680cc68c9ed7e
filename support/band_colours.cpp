#include "support/band_colours.h"

namespace corvane {
namespace {

// The hint's grey and the list's marks: readable (4.5:1) on the white box
// and on the grey of a row under the pointer, where the system's grey text
// is not.
constexpr Colour kLightGrey = MakeColour(102, 102, 102);

// The dark taskbar's box: light text, and a hint and marks of at least 4.5:1
// contrast on it and on a row under the pointer.
constexpr Colour kDarkBox = MakeColour(43, 43, 43);
constexpr Colour kDarkHint = MakeColour(176, 176, 176);
// The chosen row's blue, under white text: Windows' own accent blue reaches
// only 4.49:1.
constexpr Colour kChosenBlue = MakeColour(0, 103, 192);
constexpr Colour kWhite = MakeColour(255, 255, 255);
constexpr Colour kDarkHot = MakeColour(64, 64, 64);
constexpr Colour kDarkStrip = MakeColour(32, 32, 32);
constexpr Colour kDarkGrip = MakeColour(128, 128, 128);
constexpr Colour kDarkEdge = MakeColour(96, 96, 96);

// Today's look: the system's colours, the hint, the marks and the chosen row
// in readable colours of Corvane's.
BandColours Light(const SystemColours& system) {
  BandColours c;
  c.box = c.list = system.window;
  c.boxText = c.listText = system.windowText;
  c.hint = c.listMark = kLightGrey;
  c.flatEdge = false;
  c.boxEdge = system.buttonShadow;
  c.plainGoButton = false;
  c.listHot = c.strip = system.buttonFace;
  c.goOutline = system.buttonText;
  c.goHotOutline = system.highlight;
  c.listChosen = kChosenBlue;
  c.listChosenText = kWhite;
  c.stripGrip = system.buttonShadow;
  return c;
}

BandColours Dark() {
  BandColours c;
  c.box = c.list = kDarkBox;
  c.boxText = c.listText = c.goOutline = c.goHotOutline = c.listChosenText = kWhite;
  c.hint = c.listMark = kDarkHint;
  c.flatEdge = true;
  c.boxEdge = kDarkEdge;
  c.plainGoButton = false;
  c.listHot = kDarkHot;
  c.listChosen = kChosenBlue;
  c.strip = kDarkStrip;
  c.stripGrip = kDarkGrip;
  return c;
}

// Every colour is one the user chose for high contrast, none of Corvane's.
BandColours HighContrast(const SystemColours& system) {
  BandColours c = Light(system);
  c.hint = c.listMark = system.grayText;
  c.goHotOutline = c.listChosen = system.highlight;
  c.listChosenText = system.highlightText;
  c.plainGoButton = true;
  c.stripGrip = system.buttonText;
  return c;
}

}  // namespace

BandColours ChooseBandColours(ColourMode mode, const SystemColours& system) {
  switch (mode) {
    case ColourMode::kDark:
      return Dark();
    case ColourMode::kHighContrast:
      return HighContrast(system);
    case ColourMode::kLight:
      break;
  }
  return Light(system);
}

}  // namespace corvane
