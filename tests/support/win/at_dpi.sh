#!/bin/bash
# Runs a test program with the Wine prefix's screen at another DPI, and puts
# the prefix back to 96 DPI afterwards, whatever happens:
#   at_dpi.sh WINE_RUN PREFIX ARCH DPI PROGRAM [ARGS...]
set -u
wine_run=$1 prefix=$2 arch=$3 dpi=$4
shift 4
set_dpi() {
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    "$wine_run" "$prefix" "$arch" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f \
      >/dev/null 2>&1 || return 1
  done
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi" || { echo "FAIL: the prefix's DPI could not be set"; exit 1; }
CORVANE_TEST_DPI=$dpi "$wine_run" "$prefix" "$arch" "$@"
