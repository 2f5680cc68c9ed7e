#!/bin/bash
# Corvane as a user whose Windows speaks German meets it: the strip's hint,
# its menu from the keyboard (Shift+F10 in the box) with the German key for
# the settings, the settings window, the empty search's warning, and setup's
# first page.
#   german_test.sh WINE_RUN PREFIX ARCH BIN_DIR WORK_DIR SETUP_ARGUMENTS...
# SETUP_ARGUMENTS are tools/make_installer.sh's, less its output file.
set -u -o pipefail
. "$(dirname "$0")/../support/e2e/e2e_common.sh" "$@"
shift 5
root=$(cd "$(dirname "$0")/../.." && pwd)

texts() { "$wine_run" "$prefix" "$arch" "$bin/window_texts.exe" "$@" 2>/dev/null | tr -d '\r'; }
# expect_texts LABEL WINDOW-ARGUMENTS... -- TEXT...: the window says each TEXT.
expect_texts() {
  local label=$1 said
  shift
  local arguments=()
  while [ "$1" != -- ]; do
    arguments+=("$1")
    shift
  done
  shift
  said=$(texts "${arguments[@]}")
  for text in "$@"; do
    grep -qxF -- "$text" <<<"$said" || fail "$label: no '$text' in: $(echo $said)"
  done
}

# shellcheck source=/dev/null
. "$bin/../tests/product.sh"
# The user's settings as on a new machine: the Go button shown among them.
"$wine_run" "$prefix" "$arch" reg delete "HKCU\\$SETTINGS_KEY" /f >/dev/null 2>&1

echo "== The strip shows the German hint"
start_program "$bin/Corvane.exe"
strip=$(window_of Corvane)
[ -n "$strip" ] || fail "hint: no strip"
eval "$(xdotool getwindowgeometry --shell "$strip")"
for _ in $(seq 100); do
  texts --class Ostrand.Corvane.Strip | grep -qx "Google-Suche" && break
  sleep 0.1
done
expect_texts hint --class Ostrand.Corvane.Strip -- "Google-Suche"

echo "== Shift+F10 in the box opens the menu; its E opens the settings in German"
focus_window "$strip"
xdotool mousemove $((X + 100)) $((Y + 15)) click 1
shown=$(visible_windows)
xdotool key shift+F10
wait_for_more_windows "$shown" || fail "menu: Shift+F10 opened no menu"
xdotool key e
settings=$(window_of Corvane-Einstellungen)
[ -n "$settings" ] || fail "menu: E did not open the settings"
expect_texts settings Corvane-Einstellungen -- "&Suchen mit:" "Eigene Suchmaschinen" \
  "Stich&wort:" "Vorschläge beim Tippen &anzeigen" "Abbrechen" "&Übernehmen"
focus_window "$settings"
xdotool key Escape
wait_window_gone Corvane-Einstellungen || fail "settings: Esc did not close the window"

echo "== Go with an empty box warns in German"
focus_window "$strip"
# The Go button: the band beside the 10-pixel grip, its button 22 pixels
# square, 6 from the band's end.
xdotool mousemove $((X + WIDTH - 13)) $((Y + 15)) click 1
for _ in $(seq 100); do
  texts --class "#32770" Corvane | grep -q "Ohne Suchbegriff" && break
  sleep 0.1
done
expect_texts warning --class "#32770" Corvane -- "Ohne Suchbegriff kann nicht gesucht werden." \
  "Bitte geben Sie ein, wonach Sie suchen."
close_box Corvane || fail "warning: no box to close"
stop_programs

echo "== Setup's first page"
bash "$root/tools/make_installer.sh" "$1" "$work/corvane-setup.exe" "${@:2}" >/dev/null ||
  fail "setup: could not be built"
start_program "$work/corvane-setup.exe"
for _ in $(seq 200); do
  texts "Installation von Corvane" | grep -qx "Zielverzeichnis auswählen" && break
  sleep 0.1
done
expect_texts setup "Installation von Corvane" -- "Zielverzeichnis auswählen" "&Installieren" "Abbrechen"
stop_programs
wait_gone corvane-setup.exe || fail "setup: still running"

[ $failures -eq 0 ] && echo "all German checks passed"
exit $((failures > 0))
