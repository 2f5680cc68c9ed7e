#!/bin/bash
# Builds Corvane, registers CORVANE.DLL with regsvr32 in a private Wine
# prefix and shows the band in a host window, as the taskbar would:
#   run.sh [--64] [QUERY...]
# With a display (DISPLAY set) the band is yours to use: type, press Enter,
# and Wine hands the results to your desktop's browser; right-click the strip
# for the band's menu and Close. Without a display it runs under Xvfb: it
# types QUERY into the band, presses Enter, prints the address that was
# opened (a recorder stands in for the browser) and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_ROOT:-$root/build}

arch=win32
if [ "${1:-}" = "--64" ]; then
  arch=win64
  shift
fi
query=${*:-"Corvane taskbar search"}

bash "$root/tools/bootstrap.sh"
if [ $arch = win32 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "This machine runs 64-bit programs only: using the 64-bit build."
  arch=win64
fi
mkdir -p "$build"
for kind in win32 $arch; do
  bash "$root/tools/build.sh" "$kind" "$build" >"$build/$kind.log" 2>&1 ||
    { tail -n 40 "$build/$kind.log"; exit 1; }
done
echo "Built $build/win32/bin/CORVANE.DLL"

bin=$build/$arch/bin
run=$build/run-$arch
prefix=$run/wineprefix
wine_run=$root/cmake/wine-run.sh
# shellcheck source=ui_helpers.sh
. "$root/tools/ui_helpers.sh"
[ -z "${DISPLAY:-}" ] || export CORVANE_DISPLAY=$DISPLAY
"$root/cmake/wine-prefix.sh" start "$prefix" "$arch"
trap '"$root/cmake/wine-prefix.sh" stop "$prefix" "$arch"' EXIT
DISPLAY=$(cat "$prefix.display")
export DISPLAY
dll=$(windows_path "$bin/CORVANE.DLL")
handler='HKCR\https\shell\open\command'

if [ -n "${CORVANE_DISPLAY:-}" ]; then
  "$wine_run" "$prefix" "$arch" reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null 2>&1 || true
  "$wine_run" "$prefix" "$arch" reg add "$handler" /ve /f \
    /d '"C:\windows\system32\winebrowser.exe" "%1"' >/dev/null
  "$wine_run" "$prefix" "$arch" regsvr32 "$dll"
  echo "Corvane is registered; the host shows the band until you close it."
  "$wine_run" "$prefix" "$arch" "$bin/band_host.exe"
  exit
fi

# Headless: registration's message closed as a user would, then a search.
"$wine_run" "$prefix" "$arch" regsvr32 "$dll" >/dev/null 2>&1 &
registering=$!
close_box Corvane || { echo "regsvr32 showed no message"; exit 1; }
wait $registering || { echo "regsvr32 failed"; exit 1; }
echo "Registered $dll"

rm -f "$run/urls.log" "$run/status"
start_program "$bin/band_host.exe" --status "$(windows_path "$run/status")" \
  --recorder "$(windows_path "$run/urls.log")" --exit-after-ms 60000
wait_for "$run/status" "focus=" 20 || { echo "The band did not come up."; exit 1; }
focus_window "$(window_of "Corvane band host")"
xdotool mousemove 200 116 click 1
wait_for "$run/status" "focus=search" || { echo "The search box did not open."; exit 1; }
LC_ALL=C.UTF-8 xdotool type --delay 40 "$query"
sleep 0.5
import -window root -crop 320x50+90+90 +repage "$run/corvane.png"
xdotool key Return
wait_for "$run/urls.log" "q=" || { echo "No browser was started."; exit 1; }
stop_programs
echo "Screenshot: $run/corvane.png"
echo "The browser was asked to open: $(head -n 1 "$run/urls.log")"
