#!/bin/bash
# Builds Corvane, registers CORVANE.DLL with regsvr32 in a private Wine
# prefix and starts Corvane.exe, the program that shows the band beside the
# taskbar where the taskbar hosts no toolbars:
#   run.sh [--64] [QUERY...]
# With a display (DISPLAY set) the band is yours to use: type, press Enter,
# and Wine hands the results to your desktop's browser; right-click the
# strip's grip for the band's menu and Exit. Without a display it runs under
# Xvfb on a Wine desktop with a taskbar: it types QUERY into the band,
# presses Enter, prints the address that was opened (a recorder stands in
# for the browser) and saves a screenshot.
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
# Only what running Corvane needs; the test command builds everything.
echo "Building the ${arch#win}-bit Corvane in $build/$arch..."
bash "$root/tools/build.sh" "$arch" "$build" corvane corvane_ui corvane_program url_recorder \
  >"$build/$arch.log" 2>&1 || { tail -n 40 "$build/$arch.log"; exit 1; }
echo "Built $build/$arch/bin/CORVANE.DLL"

bin=$build/$arch/bin
run=$build/run-$arch
prefix=$run/wineprefix
wine_run=$root/cmake/wine-run.sh
# shellcheck source=../tests/support/e2e/ui_helpers.sh
. "$root/tests/support/e2e/ui_helpers.sh"
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
  echo "Corvane is registered; Corvane.exe shows the search box at the bottom right"
  echo "of your screen until you close it (right-click its grip: Exit)."
  "$wine_run" "$prefix" "$arch" "$bin/Corvane.exe"
  exit
fi

# Headless: registration's message closed as a user would, then Corvane.exe
# on a Wine desktop with Wine's own taskbar, and a search.
"$wine_run" "$prefix" "$arch" regsvr32 "$dll" >/dev/null 2>&1 &
registering=$!
close_box Corvane || { echo "regsvr32 showed no message"; exit 1; }
wait $registering || { echo "regsvr32 failed"; exit 1; }
echo "Registered $dll"

rm -f "$run/urls.log"
"$wine_run" "$prefix" "$arch" reg add "$handler" /ve /f \
  /d "\"$(windows_path "$bin/url_recorder.exe")\" \"%1\"" >/dev/null
CORVANE_URL_LOG=$(windows_path "$run/urls.log")
export CORVANE_URL_LOG
# Wine shows its taskbar on the desktop named "shell".
desktop=(explorer /desktop=shell,1024x768)
start_program "${desktop[@]}" "$bin/Corvane.exe"
window_of Corvane >/dev/null
sleep 1
# A second start puts the focus into the running one's search box.
"$wine_run" "$prefix" "$arch" "${desktop[@]}" "$bin/Corvane.exe" >/dev/null 2>&1 ||
  { echo "Corvane.exe did not start."; exit 1; }
focus_window "$(window_of "shell - Wine desktop")"
sleep 0.5
LC_ALL=C.UTF-8 xdotool type --delay 40 "$query"
sleep 0.5
import -window root -crop 1024x100+0+668 +repage "$run/corvane.png"
xdotool key Return
wait_for "$run/urls.log" "q=" || { echo "No browser was started."; exit 1; }
# Closed from outside with WM_CLOSE (taskkill sees its own desktop only).
"$wine_run" "$prefix" "$arch" "${desktop[@]}" taskkill /im Corvane.exe >/dev/null 2>&1
for _ in $(seq 100); do
  [ -z "$(xdotool search --name '^Corvane$' 2>/dev/null)" ] && break
  sleep 0.1
done
[ -z "$(xdotool search --name '^Corvane$' 2>/dev/null)" ] || echo "Corvane.exe did not close."
stop_programs
echo "Screenshot: $run/corvane.png"
echo "The browser was asked to open: $(head -n 1 "$run/urls.log")"
