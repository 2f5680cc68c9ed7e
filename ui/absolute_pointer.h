// Screen points as the normalised 0..65535 coordinates of absolute mouse
// input over the whole virtual desktop, chosen so that the system's mapping
// back to pixels (which truncates) lands on the very pixel given: the F12
// click hits the hint box and the pointer goes back exactly where it was,
// however often F12 is pressed and on whichever monitor the pointer is.
#pragma once

namespace corvane {

// One axis of the virtual desktop: its first pixel and its extent.
struct DesktopAxis {
  int origin;
  int extent;
};

// The normalised coordinate of `pixel` on `axis`; pixels outside the desktop
// are taken as its nearest edge, and an empty axis gives 0.
long NormalisedCoordinate(int pixel, DesktopAxis axis);

}  // namespace corvane
