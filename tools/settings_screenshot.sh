#!/bin/bash
# A picture of the settings window in a language, as Wine draws it with the
# fonts the tests use (Japanese and Chinese included):
#   settings_screenshot.sh LOCALE OUT.png     e.g. ja_JP.UTF-8 settings-ja.png
# With MANAGED=1, as an organisation's policies fix the default engine and
# turn suggestions off.
# Uses the 64-bit build in BUILD_ROOT (CORVANE_BUILD_ROOT, else build/), made
# by tools/run.sh --64 or tools/test.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_ROOT:-$root/build}
locale=$1
out=$(realpath -m "$2")
arch=win64
bin=$build/$arch/bin
prefix=$build/screenshots/wineprefix
wine_run=$root/cmake/wine-run.sh
[ -f "$bin/Corvane.exe" ] || { echo "No $bin/Corvane.exe: build it first." >&2; exit 1; }
# shellcheck source=../tests/support/e2e/ui_helpers.sh
. "$root/tests/support/e2e/ui_helpers.sh"
# shellcheck source=/dev/null
. "$build/$arch/tests/product.sh"
"$root/cmake/wine-prefix.sh" start "$prefix" "$arch"
trap 'stop_programs; "$root/cmake/wine-prefix.sh" stop "$prefix" "$arch"' EXIT
# The window as a user's who made two engines and chose a combination.
reg() { "$wine_run" "$prefix" "$arch" reg add "HKCU\\$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null; }
reg "$SETTINGS_KEY\\$KEYWORDS_KEY" m "https://www.openstreetmap.org/search?query={searchTerms}"
reg "$SETTINGS_KEY\\$ENGINE_NAMES_KEY" m Maps
reg "$SETTINGS_KEY\\$KEYWORDS_KEY" w "https://en.wikipedia.org/w/index.php?search={searchTerms}"
reg "$SETTINGS_KEY\\$ENGINE_NAMES_KEY" w Wikipedia
reg "$SETTINGS_KEY" "$FOCUS_KEY_VALUE" "Ctrl+Alt+S"
reg "$SETTINGS_KEY" "$SUGGESTIONS_VALUE" 1 REG_DWORD
reg "$SETTINGS_KEY" "$HISTORY_VALUE" 1 REG_DWORD
"$wine_run" "$prefix" "$arch" reg delete "HKLM\\$POLICY_KEY" /f >/dev/null 2>&1 || true
if [ -n "${MANAGED:-}" ]; then
  policy() { "$wine_run" "$prefix" "$arch" reg add "HKLM\\$POLICY_KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null; }
  policy "$SEARCH_ADDRESS_VALUE" REG_SZ "https://duckduckgo.com/?q={searchTerms}"
  policy "$SUGGESTIONS_VALUE" REG_DWORD 0
fi
DISPLAY=$(cat "$prefix.display")
export DISPLAY
# For Wine only: this shell need not have the locale.
export LC_ALL=$locale LANG=$locale 2>/dev/null
start_program "$bin/Corvane.exe" --settings
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name 'Corvane' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || { echo "The settings window did not open." >&2; exit 1; }
sleep 1  # its controls paint after it shows
import -window "$window" "$out"
echo "Saved $out"
