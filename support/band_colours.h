// The colours of the search box, its Go button, its suggestion list and the
// program's strip, in the taskbar's light or dark mode or in high contrast.
#pragma once
#include <cstdint>

namespace corvane {

// 0x00BBGGRR, as Windows writes a colour.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
         static_cast<Colour>(blue) << 16;
}

enum class ColourMode { kLight, kDark, kHighContrast };

// The system's colours that light mode and high contrast take.
struct SystemColours {
  Colour window, windowText, grayText, buttonFace, buttonText, buttonShadow, highlight,
      highlightText;
};

struct BandColours {
  Colour box, boxText, hint;
  // Dark only: the box's sunken edge drawn flat in this, for the system's
  // light 3-D edge; otherwise the system's.
  bool flatEdge;
  Colour boxEdge;
  // High contrast only: the Go button drawn by the system in the button
  // colours, outlined in these; otherwise its pictures.
  bool plainGoButton;
  Colour goOutline, goHotOutline;
  Colour list, listText, listMark, listChosen, listChosenText, listHot;
  Colour strip, stripGrip;
};

BandColours ChooseBandColours(ColourMode mode, const SystemColours& system);

}  // namespace corvane
