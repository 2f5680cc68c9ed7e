# Start of every end-to-end script, sourced with the script's arguments:
#   WINE_RUN PREFIX ARCH BIN_DIR WORK_DIR
# Sets those, the prefix's display, an empty work folder, and fail().
wine_run=$1 prefix=$2 arch=$3 bin=$4 work=$5
DISPLAY=$(cat "$prefix.display")
export DISPLAY
rm -rf "$work" && mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck source=ui_helpers.sh
. "$(dirname "${BASH_SOURCE[0]}")/ui_helpers.sh"

# expect_search LABEL STATUS URLS TEXT PATTERN EXPECTED XDOTOOL-ARGS...:
# types TEXT into the focused search box (type_into_band), submits it with
# xdotool and fails unless the search opened exactly one address, EXPECTED,
# as the URL log's next line.
expect_search() {
  local label=$1 status=$2 urls=$3 text=$4 pattern=$5 expected=$6 seen opened
  shift 6
  seen=$(cat "$urls" 2>/dev/null | wc -l)
  type_into_band "$status" "$text" "$pattern" || {
    fail "$label: the text did not arrive"
    return
  }
  xdotool "$@"
  for _ in $(seq 200); do
    [ "$(cat "$urls" 2>/dev/null | wc -l)" -gt "$seen" ] && break
    sleep 0.05
  done
  opened=$(sed -n "$((seen + 1)),\$p" "$urls" 2>/dev/null)
  [ -n "$opened" ] || fail "$label: nothing was opened"
  [ "$opened" = "$expected" ] || fail "$label: opened '$opened'"
}
