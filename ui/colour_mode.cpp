#include "ui/colour_mode.h"

#include "res/product.h"
#include "support/windows_handles.h"

namespace corvane {
namespace {

bool HighContrastIsOn() {
  HIGHCONTRASTW contrast = {};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Absent, or of another type, means light, as on systems before the choice.
bool TaskbarIsDark() {
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, KEY_QUERY_VALUE, key.Put()) !=
      ERROR_SUCCESS)
    return false;
  DWORD value = 1, type = 0, size = sizeof value;
  return RegQueryValueExW(key.Get(), kSystemUsesLightThemeValue, nullptr, &type,
                          reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof value && value == 0;
}

SystemColours CurrentSystemColours() {
  return {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
          GetSysColor(COLOR_GRAYTEXT),  GetSysColor(COLOR_BTNFACE),
          GetSysColor(COLOR_BTNTEXT),   GetSysColor(COLOR_BTNSHADOW),
          GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
}

}  // namespace

ColourMode CurrentColourMode() {
  if (HighContrastIsOn()) return ColourMode::kHighContrast;
  return TaskbarIsDark() ? ColourMode::kDark : ColourMode::kLight;
}

BandColours CurrentBandColours() {
  return ChooseBandColours(CurrentColourMode(), CurrentSystemColours());
}

bool IsColourChange(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE || message == WM_THEMECHANGED) return true;
  if (message != WM_SETTINGCHANGE) return false;
  if (wParam == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const wchar_t*>(lParam);
  return area != nullptr && lstrcmpW(area, kColourSetChange) == 0;
}

void FillWithColour(HDC dc, const RECT& area, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace corvane
