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
