#include "program/screen_areas.h"

#include <shellapi.h>

#include "support/system_library.h"

namespace corvane::program {
namespace {

constexpr DWORD kGetAutoHideBarEx = 0x0B;  // ABM_GETAUTOHIDEBAREX, newer than the headers' target

// The shell's names of the edges; none is the bottom to the shell.
constexpr struct {
  UINT shellEdge;
  TaskbarEdge edge;
} kEdges[] = {{ABE_LEFT, TaskbarEdge::Left},
              {ABE_TOP, TaskbarEdge::Top},
              {ABE_RIGHT, TaskbarEdge::Right},
              {ABE_BOTTOM, TaskbarEdge::Bottom}};

TaskbarEdge FromAppBarEdge(UINT shellEdge) {
  for (const auto& known : kEdges)
    if (known.shellEdge == shellEdge) return known.edge;
  return TaskbarEdge::None;
}

// The system's work area is the primary monitor's, also where no shell
// keeps rows for it; one that does not lie on the primary monitor is from
// before the monitors changed (Wine keeps it), and the monitor's own counts.
ScreenRect PrimaryWorkArea(const ScreenRect& monitor, const ScreenRect& monitorsOwn) {
  RECT work = {};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return monitorsOwn;
  const ScreenRect area = FromRect(work);
  const bool onMonitor = area.left >= monitor.left && area.top >= monitor.top &&
                         area.right <= monitor.right && area.bottom <= monitor.bottom;
  return onMonitor ? area : monitorsOwn;
}

TaskbarReport PrimaryTaskbarReport() {
  APPBARDATA taskbar = {};
  taskbar.cbSize = sizeof taskbar;
  return {SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar) != 0, FromAppBarEdge(taskbar.uEdge),
          FromRect(taskbar.rc)};
}

// An auto-hidden taskbar at this edge of this monitor (Windows 8 and later
// keep one per monitor and edge).
bool TaskbarHidesAt(TaskbarEdge edge, const ScreenRect& monitor) {
  if (edge == TaskbarEdge::None) return false;
  APPBARDATA bar = {};
  bar.cbSize = sizeof bar;
  bar.uEdge = AppBarEdge(edge);
  bar.rc = ToRect(monitor);
  return SHAppBarMessage(kGetAutoHideBarEx, &bar) != 0;
}

// The shell's desktop: its own window, or the windows of its desktop's
// classes it shows the desktop in (after Win+D, or with a slideshow
// wallpaper), which cover every monitor without being a program.
bool IsShellDesktop(HWND window) {
  HWND shell = GetShellWindow();
  if (window == shell || window == GetDesktopWindow()) return true;
  wchar_t name[16] = {};
  if (GetClassNameW(window, name, ARRAYSIZE(name)) == 0 ||
      (lstrcmpW(name, L"WorkerW") != 0 && lstrcmpW(name, L"Progman") != 0))
    return false;
  if (shell == nullptr) return true;
  DWORD shellProcess = 0, process = 0;
  GetWindowThreadProcessId(shell, &shellProcess);
  GetWindowThreadProcessId(window, &process);
  return process == shellProcess;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list) {
  reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
  return TRUE;
}

}  // namespace

UINT AppBarEdge(TaskbarEdge edge) {
  for (const auto& known : kEdges)
    if (known.edge == edge) return known.shellEdge;
  return ABE_BOTTOM;
}

HMONITOR PrimaryMonitor() { return MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY); }

HMONITOR MonitorOfPointer() {
  POINT pointer = {};
  if (!GetCursorPos(&pointer)) return PrimaryMonitor();
  return MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
}

ScreenFacts FactsOf(HMONITOR handle) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  const bool known = GetMonitorInfoW(handle, &info) != FALSE;
  const bool primary = !known || (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  ScreenFacts facts = {};
  facts.monitor =
      known ? FromRect(info.rcMonitor)
            : ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const ScreenRect monitorsOwn = known ? FromRect(info.rcWork) : facts.monitor;
  facts.workArea = primary ? PrimaryWorkArea(facts.monitor, monitorsOwn) : monitorsOwn;
  // The shell names only the primary taskbar; another monitor's shows in its
  // work area, and a monitor without one takes the primary one's edge.
  facts.edge = FindTaskbarEdge(PrimaryTaskbarReport(), facts.monitor, facts.workArea);
  facts.taskbarHides = TaskbarHidesAt(facts.edge, facts.monitor);
  return facts;
}

int MonitorDpi(HMONITOR monitor) {
  // GetDpiForMonitor, of Windows 8.1 and later.
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  static HMODULE shcore = nullptr;
  GetDpiForMonitorFunction getDpi = nullptr;
  UINT x = 0, y = 0;
  if (FindFunction(LoadSystemLibrary(L"shcore.dll", &shcore), "GetDpiForMonitor", &getDpi) &&
      SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)))
    return static_cast<int>(y);
  return 0;
}

std::wstring DeviceNameOf(HMONITOR monitor) {
  MONITORINFOEXW info = {};
  info.cbSize = sizeof info;
  return GetMonitorInfoW(monitor, &info) ? std::wstring(info.szDevice) : std::wstring();
}

std::vector<HMONITOR> AllMonitors() {
  std::vector<HMONITOR> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

HMONITOR MonitorNearest(const ScreenRect& rect) {
  RECT wanted = ToRect(rect);
  return MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST);
}

bool SetWorkArea(const ScreenRect& area) {
  RECT rect = ToRect(area);
  return SystemParametersInfoW(SPI_SETWORKAREA, 0, &rect, SPIF_SENDCHANGE) != FALSE;
}

bool FullScreenWindowOn(const ScreenRect& monitor) {
  HWND front = GetForegroundWindow();
  if (front == nullptr || IsShellDesktop(front) || IsZoomed(front)) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(front, &process);
  RECT rect = {};
  return process != GetCurrentProcessId() && GetWindowRect(front, &rect) &&
         CoversMonitor(FromRect(rect), monitor);
}

}  // namespace corvane::program
