#!/bin/bash
# Suggestions and recent searches with real input under Xvfb: the band in a
# host process, a suggestion service on the loopback address, xdotool typing.
#   suggestions_test.sh WINE_RUN PREFIX ARCH BIN_DIR WORK_DIR
set -u
. "$(dirname "$0")/../support/e2e/e2e_common.sh" "$@"
# shellcheck source=/dev/null
. "$bin/../tests/product.sh"

reg() { "$wine_run" "$prefix" "$arch" reg "$@" >/dev/null 2>&1; }
setting() { reg add "HKCU\\$SETTINGS_KEY" /v "$1" /t "$2" /d "$3" /f || fail "could not set $1"; }
forget() { for value in "$@"; do reg delete "HKCU\\$SETTINGS_KEY" /v "$value" /f; done; }
recent_searches() {
  "$wine_run" "$prefix" "$arch" reg query "HKCU\\$SETTINGS_KEY" /v "$RECENT_SEARCHES_VALUE" \
    2>/dev/null | tr -d '\r' | sed -n 's/.*REG_MULTI_SZ *//p'
}
forget "$SUGGESTIONS_VALUE" "$HISTORY_VALUE" "$SUGGEST_ADDRESS_VALUE" "$RECENT_SEARCHES_VALUE"

# server NAME [--silent]: a service whose address searches go to for
# suggestions; sets $log.
server() {
  log=$work/$1.requests
  start_program "$bin/suggestion_server.exe" "$(windows_path "$work/$1.port")" \
    "$(windows_path "$log")" "${@:2}"
  wait_for "$work/$1.port" "^[0-9]+" || fail "$1: the suggestion service did not start"
  setting "$SUGGEST_ADDRESS_VALUE" REG_SZ \
    "http://127.0.0.1:$(tr -d '\r\n' <"$work/$1.port")/s?q={searchTerms}"
}
# band NAME: the band host, with the focus in its box.
band() {
  dir=$work/$1
  mkdir -p "$dir"
  start_program "$bin/band_host.exe" --dll --status "$(windows_path "$dir/status")" \
    --recorder "$(windows_path "$dir/urls.log")" --exit-after-ms 60000
  wait_for "$dir/status" "focus=" || fail "$1: the band host did not start $(shown)"
  click_box "$1"
}
# click_box NAME: the focus into the box again (a search's browser may have
# taken it).
click_box() {
  focus_window "$(window_of "Corvane band host")"
  xdotool mousemove 150 115 click 1
  now_shows "focus=search" || fail "$1: the click did not open the box $(shown)"
}
# The band host's last status, for a failure's message; and waiting until it
# matches (the host writes its status when it changes).
shown() { echo "(shows: $(tail -n 1 "$dir/status"))"; }
now_shows() {
  for _ in $(seq 200); do
    tail -n 1 "$dir/status" 2>/dev/null | grep -qE "$1" && return 0
    sleep 0.05
  done
  return 1
}
# opened PATTERN NAME: the search opened that address, and the recorder that
# stands in for the browser is gone again (it takes the focus while it runs).
opened() {
  wait_for "$dir/urls.log" "^$1$" || fail "$2: opened '$(cat "$dir/urls.log" 2>/dev/null)'"
  wait_gone url_recorder.exe || fail "$2: the recorder did not end"
}

echo "== Down shows a suggestion, Esc gives the typed text back, Enter searches what is shown"
setting "$SUGGESTIONS_VALUE" REG_DWORD 1
server answering
band answering
xdotool type --delay 40 "cor"
now_shows "list=shown text=cor$" || fail "answering: no list for 'cor' $(shown)"
grep -q "^GET /s?q=cor HTTP" "$log" || fail "answering: the service was not asked for 'cor'"
xdotool key Down
now_shows "list=shown text=cor one$" || fail "answering: Down did not show the first $(shown)"
xdotool key Down Down Down
now_shows "list=shown text=cor$" || fail "answering: past the last the typed text $(shown)"
xdotool key Up Escape
now_shows "focus=search text=cor$" || fail "answering: Esc did not give 'cor' back $(shown)"
xdotool type --delay 40 "e"
now_shows "list=shown text=core$" || fail "answering: no list for 'core' $(shown)"
xdotool key Down Return
opened "https://www.google.de/search\?ie=UTF-8&oe=UTF-8&q=core\+one" answering
[ -z "$(recent_searches)" ] || fail "answering: a search was kept with history off"

echo "== A keyword's engine is asked for the words after the keyword, and only it"
port=$(tr -d '\r\n' <"$work/answering.port")
reg add "HKCU\\$SETTINGS_KEY\\$KEYWORDS_KEY" /v w /t REG_SZ /d "https://wiki.example/?q={searchTerms}" /f
reg add "HKCU\\$SETTINGS_KEY\\$SUGGEST_ADDRESSES_KEY" /v w /t REG_SZ /d "http://127.0.0.1:$port/k?q=%s" /f
click_box keyword
xdotool type --delay 40 "w ber"
now_shows "list=shown text=w ber$" || fail "keyword: no list for 'w ber' $(shown)"
grep -q "^GET /k?q=ber HTTP" "$log" || fail "keyword: the keyword's engine was not asked for 'ber'"
grep -q "q=w[+%]" "$log" && fail "keyword: the keyword was sent with the words"
xdotool key Down
now_shows "list=shown text=w ber one$" || fail "keyword: the suggestion lost its keyword $(shown)"
# A click on the middle one of the three searches it; the list is the host's
# other window on the screen.
list=$(for window in $(xdotool search --onlyvisible --class band_host 2>/dev/null); do
  [ "$(xdotool getwindowname "$window")" = "Corvane band host" ] || echo "$window"
done | head -n 1)
height=$(xdotool getwindowgeometry "$list" 2>/dev/null | sed -n 's/.*Geometry: [0-9]*x//p')
[ -n "$height" ] || fail "keyword: the list's window was not found"
xdotool mousemove --window "$list" 40 $((height / 2)) click 1
opened "https://wiki.example/\?q=ber\+two" keyword
tail -n 1 "$dir/status" | grep -q "list=shown" && fail "keyword: the list stayed after the click"

echo "== The user's own engine as the default is asked as its keyword is"
setting "$SEARCH_ADDRESS_VALUE" REG_SZ "https://wiki.example/?q={searchTerms}"
forget "$SUGGEST_ADDRESS_VALUE"
click_box default
xdotool type --delay 40 "kor"
now_shows "list=shown text=kor$" || fail "default: no list for 'kor' $(shown)"
grep -q "^GET /k?q=kor HTTP" "$log" || fail "default: the engine's own service was not asked"
xdotool key Return
opened "https://wiki.example/\?q=kor" default
forget "$SEARCH_ADDRESS_VALUE"
reg delete "HKCU\\$SETTINGS_KEY\\$KEYWORDS_KEY" /f
reg delete "HKCU\\$SETTINGS_KEY\\$SUGGEST_ADDRESSES_KEY" /f
stop_programs

echo "== A service that never answers: Enter searches at once"
server silent --silent
band silent
xdotool type --delay 40 "abc"
wait_for "$log" "^GET /s\?q=abc HTTP" || fail "silent: the service was not asked"
xdotool key Return
now_shows "focus=search text=$" || fail "silent: Enter did not search $(shown)"
grep -q "^closed$" "$log" && fail "silent: Enter waited for the answer"
opened "https://www.google.de/search\?ie=UTF-8&oe=UTF-8&q=abc" silent
grep -q "list=shown" "$dir/status" && fail "silent: a list was shown without an answer"
stop_programs

echo "== Suggestions off: recent searches only, and the service hears nothing"
forget "$SUGGESTIONS_VALUE"
setting "$HISTORY_VALUE" REG_DWORD 1
setting "$RECENT_SEARCHES_VALUE" REG_MULTI_SZ 'old search\0other'
server off
band off
xdotool type --delay 40 "ol"
now_shows "list=shown text=ol$" || fail "off: the recent search was not offered $(shown)"
# The list shows when a request would have gone out; the service answers in turn.
exec 3<>"/dev/tcp/127.0.0.1/$(tr -d '\r\n' <"$work/off.port")"
printf 'GET /s?q=marker HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n' >&3
wait_for "$log" "q=marker" || fail "off: the service did not hear the test"
exec 3>&-
grep -v "q=marker\|^closed$" "$log" && fail "off: the service heard what was typed"
xdotool key Down Return
opened "https://www.google.de/search\?ie=UTF-8&oe=UTF-8&q=old\+search" off
click_box off
xdotool type --delay 40 "new words"
now_shows "focus=search text=new words$" || fail "off: the words did not arrive $(shown)"
xdotool key Return
for _ in $(seq 100); do [ "$(recent_searches)" != 'old search\0other' ] && break; sleep 0.05; done
[ "$(recent_searches)" = 'new words\0old search\0other' ] ||
  fail "off: the recent searches are '$(recent_searches)'"
stop_programs

echo "== A user policy's Suggestions 0, and Windows' DisableSearchBoxSuggestions, outweigh the user"
for policy in "policy|$POLICY_KEY|$SUGGESTIONS_VALUE|0" \
  "windows|$EXPLORER_POLICY_KEY|$DISABLE_SEARCH_BOX_SUGGESTIONS_VALUE|1"; do
  IFS='|' read -r name key value data <<<"$policy"
  setting "$SUGGESTIONS_VALUE" REG_DWORD 1
  setting "$RECENT_SEARCHES_VALUE" REG_MULTI_SZ 'old search'
  reg add "HKCU\\$key" /v "$value" /t REG_DWORD /d "$data" /f || fail "$name: no policy"
  server "$name"
  band "$name"
  xdotool type --delay 40 "ol"
  # The recent search shows at the pause at which a request would go out.
  now_shows "list=shown text=ol$" || fail "$name: the recent search was not offered $(shown)"
  exec 3<>"/dev/tcp/127.0.0.1/$(tr -d '\r\n' <"$work/$name.port")"
  printf 'GET /s?q=marker HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n' >&3
  wait_for "$log" "q=marker" || fail "$name: the service did not hear the test"
  exec 3>&-
  grep -v "q=marker\|^closed$" "$log" && fail "$name: the service heard what was typed"
  stop_programs
  reg delete "HKCU\\$key" /v "$value" /f
done

echo "== The settings window clears the recent searches, and forgets them with history off"
start_program "$bin/Corvane.exe" --settings
settings=$(window_of "Corvane settings")
focus_window "$settings"
xdotool key alt+l
for _ in $(seq 100); do [ -z "$(recent_searches)" ] && break; sleep 0.05; done
[ -z "$(recent_searches)" ] || fail "settings: Clear kept '$(recent_searches)'"
setting "$RECENT_SEARCHES_VALUE" REG_MULTI_SZ 'kept'
xdotool key alt+b Return
wait_gone "Corvane.exe --settings" || fail "settings: OK did not close the window"
[ -z "$(recent_searches)" ] || fail "settings: history off kept '$(recent_searches)'"
"$wine_run" "$prefix" "$arch" reg query "HKCU\\$SETTINGS_KEY" /v "$HISTORY_VALUE" 2>/dev/null |
  grep -q "0x0" || fail "settings: history was not turned off"
stop_programs
forget "$SUGGESTIONS_VALUE" "$HISTORY_VALUE" "$SUGGEST_ADDRESS_VALUE" "$RECENT_SEARCHES_VALUE"

[ $failures -eq 0 ] && echo "all suggestion checks passed"
exit $((failures > 0))
