#!/bin/bash
# Corvane as a user meets it, with real input under Xvfb: registered with
# regsvr32, hosted through COM, searched with Enter and with Go, the Go
# button toggled from the context menu, the setting kept, unregistered.
#   product_test.sh WINE_RUN PREFIX ARCH BIN_DIR WORK_DIR
set -u -o pipefail
. "$(dirname "$0")/../support/e2e/e2e_common.sh" "$@"

# shellcheck source=/dev/null
. "$bin/../tests/product.sh"
class="HKCR\\CLSID\\$BAND_CLASS_ID"
setting="HKCU\\$SETTINGS_KEY"
search="https://www.google.de/search?ie=UTF-8&oe=UTF-8&q="
reg_query() { "$wine_run" "$prefix" "$arch" reg query "$@" 2>/dev/null | tr -d '\r'; }
# The host's strip: client area at (101, 101), 300 x 30.
client() { echo $((101 + $1)) $((101 + $2)); }

echo "== regsvr32 registers the class and says how to show the band"
"$wine_run" "$prefix" "$arch" reg delete "$setting" /f >/dev/null 2>&1
"$wine_run" "$prefix" "$arch" regsvr32 "$(windows_path "$bin/CORVANE.DLL")" >/dev/null 2>&1 &
registering=$!
close_box Corvane || fail "register: no message box"
wait $registering || fail "register: regsvr32 failed"
reg_query "$class" /ve | grep -q '&Corvane' || fail "register: no display name"
reg_query "$class\\InprocServer32" /v ThreadingModel | grep -q Apartment ||
  fail "register: no threading model"
reg_query "$class\\Implemented Categories\\$DESK_BAND_CATEGORY_ID" >/dev/null ||
  fail "register: not in the desk band category"

dir=$work/host
mkdir -p "$dir"
start_program "$bin/band_host.exe" --status "$(windows_path "$dir/status")" \
  --recorder "$(windows_path "$dir/urls.log")" --exit-after-ms 90000
wait_for "$dir/status" "focus=" 20 || fail "host: the band did not come up through COM"
host=$(window_of "Corvane band host")
focus_window "$host"
# Pixels: the white box, the grey hint text, the green Go button.
wait_for_pixel "$work/band.png" $(client 200 15) "255,255,255" || fail "pixels: the box is not white"
grey=$("$CONVERT" "$work/band.png" -crop 120x16+$((101 + 5))+$((101 + 7)) -depth 8 txt:- |
  grep -c "#666666")
[ "$grey" -gt 10 ] || fail "pixels: no grey hint text ($grey pixels)"
IFS=, read -r r g b <<<"$(pixel "$work/band.png" $(client 281 8))"
[ "$g" -gt $((r + 60)) ] && [ "$g" -gt $((b + 60)) ] || fail "pixels: no green button ($r,$g,$b)"

echo "== A click on the hint, non-ASCII text and Enter"
xdotool mousemove $(client 100 15) click 1
wait_for "$dir/status" "focus=search" || fail "enter: the hint did not open the box"
expect_search enter "$dir/status" "$dir/urls.log" 'Grüße aus C++' 'Grüße aus C\+\+' \
  "${search}Gr%C3%BC%C3%9Fe+aus+C%2B%2B" key Return

echo "== The Go button"
# Starting the browser may take the activation away for a moment.
wait_gone url_recorder.exe || fail "go: the recorder did not finish"
focus_window "$host"
xdotool mousemove $(client 100 15) click 1
wait_for "$dir/status" "focus=search" || fail "go: the hint did not open the box"
expect_search go "$dir/status" "$dir/urls.log" 'öl und gas' 'öl und gas' \
  "${search}%C3%B6l+und+gas" mousemove $(client 287 15) click 1

echo "== Go with an empty box warns and opens nothing"
# The browser's start takes the activation and may cover the band for a moment.
wait_gone url_recorder.exe || fail "empty: the recorder did not finish"
focus_window "$host"
xdotool mousemove $(client 287 15) click 1
close_box Corvane || fail "empty: no warning box"
sleep 0.5
[ "$(wc -l <"$dir/urls.log")" -eq 2 ] || fail "empty: something was opened"

echo "== The context menu hides the Go button; the box widens"
focus_window "$host"
windows=$(visible_windows)
xdotool mousemove $(client 299 1) click 3
wait_for_more_windows "$windows" || fail "toggle: no context menu"
xdotool key g
wait_for_pixel "$work/no-button.png" $(client 290 15) "255,255,255" ||
  fail "toggle: the box did not widen over the button's place"
IFS=, read -r r g b <<<"$(pixel "$work/no-button.png" $(client 281 8))"
[ "$g" -gt $((r + 60)) ] && fail "toggle: the button is still shown"

echo "== Close from the context menu: the setting is kept"
windows=$(visible_windows)
xdotool mousemove $(client 299 1) click 3
wait_for_more_windows "$windows" || fail "close: no context menu"
xdotool key c
for _ in $(seq 100); do
  kill -0 "${ui_pids[0]}" 2>/dev/null || break
  sleep 0.1
done
kill -0 "${ui_pids[0]}" 2>/dev/null && fail "close: the host did not exit"
reg_query "$setting" /v "$SHOW_GO_BUTTON_VALUE" | grep -q '0x0' || fail "close: the setting was not kept"
stop_programs

echo "== regsvr32 /u removes the class"
"$wine_run" "$prefix" "$arch" regsvr32 /u "$(windows_path "$bin/CORVANE.DLL")" >/dev/null 2>&1 ||
  fail "unregister: regsvr32 /u failed"
reg_query "$class" >/dev/null && fail "unregister: the class key is still there"

[ $failures -eq 0 ] && echo "all product checks passed"
exit $((failures > 0))
