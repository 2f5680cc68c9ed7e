#include "ui/box_click.h"

#include "ui/absolute_pointer.h"

namespace corvane {
namespace {

struct VirtualDesktop {
  DesktopAxis x;
  DesktopAxis y;
};

VirtualDesktop CurrentVirtualDesktop() {
  return {{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN)},
          {GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}};
}

INPUT AbsoluteMouse(POINT screen, const VirtualDesktop& desktop, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = NormalisedCoordinate(screen.x, desktop.x);
  input.mi.dy = NormalisedCoordinate(screen.y, desktop.y);
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | flags;
  return input;
}

}  // namespace

POINT BoxClickPoint(HWND box) {
  POINT point = {1, 1};
  if (!ClientToScreen(box, &point)) return {-1, -1};
  return point;
}

bool ClickBox(HWND box) {
  POINT saved;
  if (!GetCursorPos(&saved)) return false;
  // With the buttons swapped the system takes the right button as the
  // primary one: the click must be the primary button's.
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  const VirtualDesktop desktop = CurrentVirtualDesktop();
  const POINT point = BoxClickPoint(box);
  INPUT inputs[4] = {
      AbsoluteMouse(point, desktop, MOUSEEVENTF_MOVE),
      AbsoluteMouse(point, desktop, swapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
      AbsoluteMouse(point, desktop, swapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP),
      AbsoluteMouse(saved, desktop, MOUSEEVENTF_MOVE),
  };
  SendInput(4, inputs, sizeof(INPUT));
  return true;
}

}  // namespace corvane
