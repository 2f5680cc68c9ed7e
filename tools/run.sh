#!/bin/bash
# Builds Corvane and searches the web with it under Wine:
#   run.sh [--64] [QUERY...]
# With a display, Wine's URL handler opens the results in the desktop's
# browser. Without one, a recorder stands in for the browser and the address
# that was opened is printed.
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
prefix=$build/run-$arch/wineprefix
wine_run() { "$root/cmake/wine-run.sh" "$prefix" "$arch" "$@"; }
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
[ -z "${DISPLAY:-}" ] || export CORVANE_DISPLAY=$DISPLAY
"$root/cmake/wine-prefix.sh" start "$prefix" "$arch"
trap '"$root/cmake/wine-prefix.sh" stop "$prefix" "$arch"' EXIT

handler='HKCR\https\shell\open\command'
if [ -n "${DISPLAY:-}" ]; then
  wine_run reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null 2>&1 || true
  wine_run reg add "$handler" /ve /d '"C:\windows\system32\winebrowser.exe" "%1"' /f >/dev/null
  wine_run "$bin/search_demo.exe" "$query"
  exit
fi

log=$build/run-$arch/urls.log
rm -f "$log"
wine_run reg add "$handler" /ve /f \
  /d "\"$(windows_path "$bin/url_recorder.exe")\" \"%1\"" >/dev/null
export CORVANE_URL_LOG
CORVANE_URL_LOG=$(windows_path "$log")
wine_run "$bin/search_demo.exe" "$query"
for _ in $(seq 100); do
  [ -s "$log" ] && break
  sleep 0.1
done
[ -s "$log" ] || { echo "No browser was started."; exit 1; }
echo "The browser was asked to open: $(head -n 1 "$log")"
