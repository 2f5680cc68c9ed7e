#!/bin/bash
# Prepares a private Wine prefix once and keeps its wineserver running:
#   wine-prefix.sh start PREFIX ARCH
#   wine-prefix.sh stop  PREFIX ARCH
set -eu
action=$1
export WINEPREFIX=$2
arch=${3:-win32}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

case $action in
  start)
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.corvane-ready" ]; then
      rm -rf "$WINEPREFIX"
      WINEARCH=$arch "$WINE" wineboot -i </dev/null >/dev/null 2>&1
      # Crash dialog off, Wine's own URL handler never starts a browser,
      # keyboard focus follows xdotool without a window manager.
      "$WINE" regedit /S "Z:${here//\//\\}\\wine-prefix.reg" </dev/null >/dev/null 2>&1
      "$WINESERVER" -w
      touch "$WINEPREFIX/.corvane-ready"
    fi
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
    ;;
  stop)
    "$WINESERVER" -k >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop PREFIX ARCH" >&2
    exit 2
    ;;
esac
