#!/bin/bash
# F12 and real keystrokes, with real input under Xvfb: the band in a host
# process, another application beside it, xdotool typing.
#   focus_key_test.sh WINE_RUN PREFIX ARCH BIN_DIR WORK_DIR
set -u
. "$(dirname "$0")/../support/e2e/e2e_common.sh" "$@"

# shellcheck source=/dev/null
. "$bin/../tests/product.sh"
clear_focus_key() {
  for value in "$FOCUS_KEY_VALUE" "$SEARCH_CLIPBOARD_KEY_VALUE"; do
    "$wine_run" "$prefix" "$arch" reg delete "HKCU\\$SETTINGS_KEY" /v "$value" /f >/dev/null 2>&1
  done
}
set_focus_key() {
  "$wine_run" "$prefix" "$arch" reg add "HKCU\\$SETTINGS_KEY" /v "$FOCUS_KEY_VALUE" /t REG_SZ \
    /d "$1" /f >/dev/null 2>&1 || fail "could not store the focus key $1"
}

clear_focus_key

# scenario NAME "KEY TARGET PLACE" [band host options...]: both started
scenario() {
  local name=$1 place=$2
  shift 2
  dir=$work/$name
  mkdir -p "$dir"
  start_program "$bin/band_host.exe" --dll --status "$(windows_path "$dir/status")" \
    --recorder "$(windows_path "$dir/urls.log")" --exit-after-ms 60000 "$@"
  wait_for "$dir/status" "focus=" || fail "$name: the band host did not start"
  # shellcheck disable=SC2086
  start_program "$bin/key_target.exe" "$(windows_path "$dir/keys")" $place
  host=$(window_of "Corvane band host")
  target=$(window_of "Corvane key target")
}

# First, while no band has hooked F12: Wine keeps the hook of a program that
# is killed, and loads CORVANE.DLL into later programs through it. A fresh
# wineserver forgets the hooks of the tests before.
"$(dirname "$wine_run")/wine-prefix.sh" stop-server "$prefix" "$arch"
"$(dirname "$wine_run")/wine-prefix.sh" start "$prefix" "$arch"
echo "== A machine policy's focus key none: F12 reaches the program, nothing is loaded into it"
set_focus_key F12
"$wine_run" "$prefix" "$arch" reg add "HKLM\\$POLICY_KEY" /v "$FOCUS_KEY_VALUE" /t REG_SZ \
  /d none /f >/dev/null 2>&1 || fail "could not store the policy"
scenario none ""
focus_window "$target"
xdotool key F12
wait_for "$dir/keys" "^up 123$" || fail "none: F12 did not reach the application"
grep -q "focus=search" "$dir/status" && fail "none: F12 opened the box"
wait_for "$dir/keys" "^corvane-loaded 0$" || fail "none: CORVANE.DLL was loaded into the program"
stop_programs
"$wine_run" "$prefix" "$arch" reg delete "HKLM\\$POLICY_KEY" /f >/dev/null 2>&1

echo "== With Ctrl+Alt+S, F12 reaches the program and Ctrl+Alt+S opens the box"
set_focus_key "Ctrl+Alt+S"
scenario combination ""
focus_window "$target"
xdotool key F12
wait_for "$dir/keys" "^up 123$" || fail "combination: F12 did not reach the application"
xdotool key ctrl+alt+s
wait_for "$dir/status" "focus=search" || fail "combination: Ctrl+Alt+S did not open the box"
grep -q "^down 83$" "$dir/keys" && fail "combination: the application received Ctrl+Alt+S"
grep -q "^corvane-loaded 1$" "$dir/keys" && fail "combination: CORVANE.DLL was loaded into the program"
grep -q "^corvane-loaded 0$" "$dir/keys" || fail "combination: the program did not say what it loaded"
stop_programs
clear_focus_key

echo "== The settings window from the keyboard: an engine, its keyword and a key, at once"
reg_value() {
  "$wine_run" "$prefix" "$arch" reg query "HKCU\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ *//p'
}
KEY_TARGET_HOLDS_CTRL_ALT_T=1 scenario settings ""
start_program "$bin/Corvane.exe" --settings
settings=$(window_of "Corvane settings")
focus_window "$settings"
xdotool key alt+n type "Wiki"
xdotool key alt+k type "w"
xdotool key alt+d type "https://wiki.example/w/"
shown=$(visible_windows)
xdotool key alt+a
wait_for_more_windows "$shown" || fail "settings: an address without a place for the query was taken"
xdotool key Return
for _ in $(seq 100); do [ "$(visible_windows)" -le "$shown" ] && break; sleep 0.05; done
# The address is chosen again for correcting: typing replaces it.
xdotool type "https://wiki.example/w/{searchTerms}"
xdotool key alt+u
xdotool type "https://wiki.example/suggest?q={searchTerms}"
xdotool key alt+a alt+m Tab
# A combination another program has is named, and nothing is stored.
xdotool type "ctrl+alt+t"
xdotool key Return
wait_for_more_windows "$shown" || fail "settings: a combination another program has was taken"
[ -z "$(reg_value "$SETTINGS_KEY" "$FOCUS_KEY_VALUE")" ] || fail "settings: a refused key was stored"
xdotool key Return
for _ in $(seq 100); do [ "$(visible_windows)" -le "$shown" ] && break; sleep 0.05; done
# Pressed rather than typed, the combination is written for the user.
xdotool key ctrl+shift+space
# The key that searches what was copied, the next field (a key field takes
# Alt+Y as pressed): not the focus key's combination.
xdotool key Tab
xdotool type "ctrl+shift+space"
xdotool key Return
wait_for_more_windows "$shown" || fail "settings: the focus key's combination was taken twice"
xdotool key Return
for _ in $(seq 100); do [ "$(visible_windows)" -le "$shown" ] && break; sleep 0.05; done
xdotool type "ctrl+alt+v"
xdotool key Return
wait_gone "Corvane.exe --settings" || fail "settings: OK did not close the window"
[ "$(reg_value "$SETTINGS_KEY" "$SEARCH_CLIPBOARD_KEY_VALUE")" = "Ctrl+Alt+V" ] ||
  fail "settings: the clipboard's key was stored as '$(reg_value "$SETTINGS_KEY" "$SEARCH_CLIPBOARD_KEY_VALUE")'"
[ "$(reg_value "$SETTINGS_KEY\\$KEYWORDS_KEY" w)" = "https://wiki.example/w/{searchTerms}" ] ||
  fail "settings: the keyword's address was not stored"
[ "$(reg_value "$SETTINGS_KEY\\$ENGINE_NAMES_KEY" w)" = "Wiki" ] || fail "settings: the name was not stored"
[ "$(reg_value "$SETTINGS_KEY\\$SUGGEST_ADDRESSES_KEY" w)" = "https://wiki.example/suggest?q={searchTerms}" ] ||
  fail "settings: the suggestion address was not stored"
[ "$(reg_value "$SETTINGS_KEY" "$FOCUS_KEY_VALUE")" = "Ctrl+Shift+Space" ] ||
  fail "settings: the key was stored as '$(reg_value "$SETTINGS_KEY" "$FOCUS_KEY_VALUE")'"
focus_window "$target"
xdotool key F12
wait_for "$dir/keys" "^up 123$" || fail "settings: F12 still went to the band"
xdotool key ctrl+shift+space
wait_for "$dir/status" "focus=search" || fail "settings: the new key did not open the box"
expect_search settings "$dir/status" "$dir/urls.log" "w berlin" "w berlin" \
  "https://wiki.example/w/berlin" key Return
stop_programs
"$wine_run" "$prefix" "$arch" reg delete "HKCU\\$SETTINGS_KEY\\$KEYWORDS_KEY" /f >/dev/null 2>&1
"$wine_run" "$prefix" "$arch" reg delete "HKCU\\$SETTINGS_KEY\\$ENGINE_NAMES_KEY" /f >/dev/null 2>&1
"$wine_run" "$prefix" "$arch" reg delete "HKCU\\$SETTINGS_KEY\\$SUGGEST_ADDRESSES_KEY" /f >/dev/null 2>&1
clear_focus_key

echo "== F12 opens the search box; the application sees neither press nor release"
scenario open ""
focus_window "$target"
xdotool key b
wait_for "$dir/keys" "^up 66$" || fail "open: other keys do not reach the application"
before=$(xdotool getmouselocation | cut -d' ' -f1-2)
xdotool key F12
wait_for "$dir/status" "focus=search" || fail "open: F12 did not put the focus into the search box"
sleep 0.3
grep -qE " 123$" "$dir/keys" && fail "open: the application received F12"
after=$(xdotool getmouselocation | cut -d' ' -f1-2)
[ "$before" = "$after" ] || fail "open: the pointer was not put back ($before, now $after)"

echo "== Shift+F12 does the same"
focus_window "$target"
xdotool mousemove 650 400 click 1
for _ in $(seq 100); do
  tail -n 1 "$dir/status" | grep -q "focus=search" || break
  sleep 0.05
done
tail -n 1 "$dir/status" | grep -q "focus=search" && fail "shift: the band kept the focus"
lines=$(wc -l <"$dir/status")
xdotool key shift+F12
for _ in $(seq 100); do
  [ "$(tail -n +$((lines + 1)) "$dir/status" | grep -c 'focus=search')" -gt 0 ] && break
  sleep 0.05
done
tail -n +$((lines + 1)) "$dir/status" | grep -q 'focus=search' ||
  fail "shift: Shift+F12 did not open the search box"
grep -qE " 123$" "$dir/keys" && fail "shift: the application received F12"

echo "== A click on the hint, typed text and Enter: one search, no line break"
focus_window "$host"
xdotool mousemove 150 115 click 1
wait_for "$dir/status" "focus=search text=$" || fail "click: the hint did not open the box"
expect_search enter "$dir/status" "$dir/urls.log" 'Grüße aus C++' 'Grüße aus C\+\+' \
  "https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=Gr%C3%BC%C3%9Fe+aus+C%2B%2B" key Return
sleep 0.5
[ "$(wc -l <"$dir/urls.log")" -eq 1 ] || fail "enter: more than one search was opened"
[ "$(tail -n 1 "$dir/status" | sed 's/.*text=//')" = "" ] ||
  fail "enter: the box holds '$(tail -n 1 "$dir/status")'"
grep -q 'text=\\r\|text=\\n' "$dir/status" && fail "enter: a line break was added"
stop_programs

echo "== F12 passes on when the band is closed"
scenario closed "" --close-band
focus_window "$target"
xdotool key F12
wait_for "$dir/keys" "^up 123$" || fail "closed: F12 did not reach the application"
stop_programs

echo "== F12 passes on when the band is hidden, and when it is covered"
scenario hidden "" --hide-band
focus_window "$target"
xdotool key F12
wait_for "$dir/keys" "^up 123$" || fail "hidden: F12 did not reach the application"
grep -q "focus=search" "$dir/status" && fail "hidden: the hidden box took the focus"
stop_programs
scenario covered "50 50 500 150"
focus_window "$target"
xdotool key F12
wait_for "$dir/keys" "^up 123$" || fail "covered: F12 did not reach the application"
grep -q "focus=search" "$dir/status" && fail "covered: the covered box took the focus"
stop_programs

echo "== After 50 presses the pointer is exactly where it was"
scenario pointer ""
for place in "1023 767" "517 383" "0 0"; do
  focus_window "$target"
  xdotool mousemove $place
  xdotool key --delay 20 --repeat 50 F12
  wait_for "$dir/status" "focus=search" || fail "pointer: F12 did not open the box"
  # The last press's input may still be on its way: wait for the pointer to settle.
  for _ in $(seq 100); do
    at=$(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')
    [ "$at" = "$place" ] && break
    sleep 0.05
  done
  [ "$at" = "$place" ] || fail "pointer: from $place it ended at $at"
  focus_window "$target"
  xdotool mousemove 650 400 click 1
done
stop_programs

echo "== Two bands: when the later one goes, F12 opens the earlier one's box"
scenario earlier ""
earlier=$dir
mkdir -p "$work/later"
start_program "$bin/band_host.exe" --dll --y 200 --status "$(windows_path "$work/later/status")" \
  --exit-after-ms 6000
later_pid=${ui_pids[-1]}
wait_for "$work/later/status" "focus=" || fail "two: the later band did not start"
focus_window "$target"
xdotool key F12
wait_for "$work/later/status" "focus=search" || fail "two: F12 did not go to the later band"
grep -q "focus=search" "$earlier/status" && fail "two: F12 went to the earlier band"
wait "$later_pid"
focus_window "$target"
xdotool key F12
wait_for "$earlier/status" "focus=search" || fail "two: F12 did not go to the band still alive"
grep -qE " 123$" "$dir/keys" && fail "two: the application received F12"
stop_programs

echo "== F12's hook loads CORVANE.DLL into the program typed into"
grep -q "^corvane-loaded 1$" "$work/open/keys" || fail "hook: CORVANE.DLL was not in the program"


[ $failures -eq 0 ] && echo "all F12 and keystroke checks passed"
exit $((failures > 0))
