# Helpers for driving Wine programs on an X display with xdotool; sourced by
# the end-to-end tests and the run command. Expects wine_run, prefix, arch.

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

# wait_for FILE EXTENDED-REGEX [SECONDS]
wait_for() {
  for _ in $(seq $((${3:-10} * 20))); do
    grep -qE "$2" "$1" 2>/dev/null && return 0
    sleep 0.05
  done
  return 1
}

ui_pids=()
# Starts a Windows program in the background.
start_program() {
  "$wine_run" "$prefix" "$arch" "$@" >/dev/null 2>&1 &
  ui_pids+=($!)
}
stop_programs() {
  kill "${ui_pids[@]}" 2>/dev/null || true
  wait "${ui_pids[@]}" 2>/dev/null || true
  ui_pids=()
  sleep 0.3
}

# wait_gone PROCESS-PATTERN [SECONDS]: until no such process runs.
wait_gone() {
  for _ in $(seq $((${2:-20} * 20))); do
    pgrep -f "$1" >/dev/null || return 0
    sleep 0.05
  done
  return 1
}

# Visible windows of the X display (menus and boxes included).
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }

# wait_for_more_windows COUNT [SECONDS]: until more than COUNT are visible.
wait_for_more_windows() {
  for _ in $(seq $((${2:-20} * 20))); do
    [ "$(visible_windows)" -gt "$1" ] && return 0
    sleep 0.05
  done
  return 1
}

# wait_for_pixel PNG X Y "r,g,b" [SECONDS]: screenshots until the pixel shows.
wait_for_pixel() {
  for _ in $(seq $((${5:-20} * 4))); do
    import -window root "$1"
    [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
    sleep 0.25
  done
  return 1
}

window_of() { xdotool search --sync --name "^$1\$" 2>/dev/null | head -n 1; }

# wait_window_gone TITLE [SECONDS]: until no window has that title.
wait_window_gone() {
  for _ in $(seq $((${2:-10} * 20))); do
    [ -z "$(xdotool search --name "^$1\$" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
  return 1
}

# Without a window manager the X focus moves only when told; going through
# the root window makes Wine notice the change.
focus_window() {
  xdotool windowfocus --sync "$(xdotool search --maxdepth 0 --name '' 2>/dev/null | head -n 1)" 2>/dev/null
  xdotool windowfocus --sync "$1"
}

# Waits for a window titled TITLE to appear and presses its default button.
close_box() {
  local box
  for _ in $(seq "${2:-600}"); do
    box=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    if [ -n "$box" ]; then
      focus_window "$box"
      xdotool key Return
      return 0
    fi
    sleep 0.05
  done
  return 1
}

# type_into_band STATUS TEXT PATTERN: types TEXT into the focused search box
# until the band host's STATUS shows "text=PATTERN" at a line's end. xdotool
# maps a character the keymap lacks (ü, ß) onto a spare key just for that
# key press, and now and then Wine reads the press before the new mapping,
# so the character is lost on the way: the box is then emptied and the text
# typed again, at most three times.
type_into_band() {
  local status=$1 text=$2 pattern=$3
  for attempt in 1 2 3; do
    LC_ALL=C.UTF-8 xdotool type --delay 40 "$text"
    wait_for "$status" "text=$pattern\$" && return 0
    echo "note: the typed text arrived incomplete (try $attempt)"
    xdotool key --repeat $((${#text} + 5)) BackSpace
    wait_for "$status" "text=\$" || return 1
  done
  return 1
}

# ImageMagick's own convert, even where another one comes first on PATH.
CONVERT=convert
[ -x /usr/bin/convert ] && CONVERT=/usr/bin/convert

# pixel PNG X Y: "r,g,b"
pixel() {
  "$CONVERT" "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
