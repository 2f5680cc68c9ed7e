#!/bin/bash
# Corvane.exe on two monitors side by side: an X server of its own (Xorg's
# dummy driver, RandR outputs made monitors with xrandr) and a Wine prefix
# of its own on it, for a wineserver keeps the display it started with.
#   monitors_test.sh WINE_RUN PREFIX ARCH BIN_DIR WORK_DIR
set -u
. "$(dirname "$0")/../support/e2e/e2e_common.sh" "$@"
# shellcheck source=/dev/null
. "$bin/../tests/product.sh"
prefix_script="$(dirname "$wine_run")/wine-prefix.sh"

# The desk: its own X server, its own prefix.
number_file=$work/display-number
Xorg -displayfd 3 -config "$(dirname "$0")/monitor_desk.conf" -configdir "$work" -noreset \
  -nolisten tcp -logfile "$work/xorg.log" -ac 3>"$number_file" </dev/null >/dev/null 2>&1 &
xorg=$!
for _ in $(seq 200); do [ -s "$number_file" ] && break; sleep 0.05; done
[ -s "$number_file" ] || { echo "FAIL: Xorg did not start (see $work/xorg.log)"; exit 1; }
DISPLAY=:$(cat "$number_file")
export DISPLAY
prefix=$prefix-monitors
finish() {
  # With no program left, stop_programs would wait for the X server too.
  [ ${#ui_pids[@]} -eq 0 ] || stop_programs
  "$prefix_script" stop "$prefix" "$arch" >/dev/null 2>&1
  kill "$xorg" 2>/dev/null
  wait "$xorg" 2>/dev/null
}
trap finish EXIT INT TERM
# The second monitor, plugged in before Wine starts: Wine reads the desk
# then and follows its changes after. An output is connected, to what a
# program asks of the server's current state, once it has been probed.
probed_xrandr() { xrandr "$@" && xrandr >/dev/null; }
xrandr --addmode DUMMY1 1024x768
probed_xrandr --output DUMMY0 --mode 1280x800 --pos 0x0 --primary --output DUMMY1 \
  --mode 1024x768 --right-of DUMMY0 || { echo "FAIL: the desk could not be arranged"; exit 1; }
CORVANE_DISPLAY=$DISPLAY "$prefix_script" start "$prefix" "$arch" ||
  { echo "FAIL: no prefix on the desk's display"; exit 1; }

# The desk as Windows would tell it: monitors rearranged, then the notice
# Windows sends (Wine reads the monitors anew but sends no notice of its own
# for a change made outside it).
arrange() {
  probed_xrandr "${@:3}" || fail "xrandr ${*:3}"
  expect_monitors "$1" "$2" || return
  report display-change
}
report() { "$wine_run" "$prefix" "$arch" "$bin/strip_report.exe" "$@" 2>/dev/null | tr -d '\r'; }
setting() {
  "$wine_run" "$prefix" "$arch" reg add "HKCU\\$SETTINGS_KEY" /v "$1" /t REG_SZ /d "$2" /f \
    >/dev/null 2>&1 || fail "could not store $1"
}
# expect_report KIND LABEL LINES: waits until strip_report KIND (the strips
# in sight, or the monitors once Wine has read the desk anew) says LINES.
expect_report() {
  local seen
  for _ in $(seq 100); do
    seen=$(report "$1")
    [ "$seen" = "$3" ] && return 0
    sleep 0.1
  done
  fail "$2: strip_report $1 says"$'\n'"$seen"$'\n'"not"$'\n'"$3"
  return 1
}
expect_strips() { expect_report list "$@"; }
expect_monitors() { expect_report monitors "$@"; }

echo "== Wine sees two monitors side by side"
expect_monitors "desk" $'0 0 1280 800 primary\n1280 0 2304 768 -' || exit 1

echo "== A strip beside the taskbar of each monitor, at its bottom right"
setting "$PLACEMENT_MONITOR_VALUE" all
setting "$PLACEMENT_VALUE" float
start_program "$bin/Corvane.exe"
expect_strips "every monitor" $'980 770 1280 800 -\n2004 738 2304 768 -'
import -window root "$work/two-monitors.png"

# target_at X: the program in front, a window of its own at X on the desk
# (Wine places its windows itself: one moved from outside stays where Wine
# put it).
target_at() {
  [ -n "${target_pid:-}" ] && { kill "$target_pid" 2>/dev/null; wait "$target_pid" 2>/dev/null; }
  start_program "$bin/key_target.exe" "$(windows_path "$work/keys")" "$1" 200 300 200
  target_pid=${ui_pids[-1]}
  for _ in $(seq 100); do
    target=$(xdotool search --onlyvisible --name "^Corvane key target\$" 2>/dev/null | head -n 1)
    [ -n "$target" ] && break
    sleep 0.05
  done
  focus_window "$target"
}

echo "== F12 calls the box of the monitor in front"
target_at 1500
xdotool key F12
expect_strips "F12 on the right" $'980 770 1280 800 -\n2004 738 2304 768 focus'
target_at 200
xdotool key F12
expect_strips "F12 on the left" $'980 770 1280 800 focus\n2004 738 2304 768 -'

echo "== Out of sight until called: F12 and the icon call the strip in front"
setting "$PLACEMENT_VALUE" hidden
report settings
expect_strips "hidden" ""
target_at 1500
xdotool key F12
expect_strips "hidden, F12 on the right" "2004 738 2304 768 focus"
report escape
expect_strips "put away" ""
target_at 200
report icon
expect_strips "hidden, icon on the left" "980 770 1280 800 focus"
report escape
expect_strips "put away again" ""
setting "$PLACEMENT_VALUE" float
report settings
expect_strips "in sight again" $'980 770 1280 800 -\n2004 738 2304 768 -'

echo "== A monitor removed: its strip goes"
arrange "one monitor" "0 0 1280 800 primary" --output DUMMY1 --off
expect_strips "one monitor" "980 770 1280 800 -"

echo "== A monitor added on the left and made the primary one"
arrange "primary added" $'0 0 1024 768 primary\n1024 0 2304 800 -' \
  --output DUMMY1 --mode 1024x768 --left-of DUMMY0 --primary
expect_strips "two again" $'724 738 1024 768 -\n2004 770 2304 800 -'

echo "== On the primary monitor only, the strip follows the primary one"
setting "$PLACEMENT_MONITOR_VALUE" primary
report settings
expect_strips "primary" "724 738 1024 768 -"
arrange "primary changed" $'0 0 1280 800 primary\n-1024 0 0 768 -' --output DUMMY0 --primary
# Windows puts the primary monitor's top left corner at 0,0.
expect_strips "primary changed" "980 770 1280 800 -"

[ $failures -eq 0 ] && echo "all monitor checks passed"
exit $((failures > 0))
