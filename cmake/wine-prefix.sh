#!/bin/bash
# Prepares a private Wine prefix once and keeps its wineserver running:
#   wine-prefix.sh start PREFIX ARCH [HELPER...]
#   wine-prefix.sh stop  PREFIX ARCH
#   wine-prefix.sh stop-server PREFIX ARCH   (the display stays)
# Helper programs named at start are copied to C:\ct in the prefix: a short
# fixed place, whatever folder the checkout lives in (Wine's shell drops a
# command line's argument once the line grows past about 1,000 characters).
# Windows need a display: the prefix gets its own Xvfb, unless
# CORVANE_DISPLAY names a display to use instead.
set -eu
action=$1
export WINEPREFIX=$2
arch=${3:-win32}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

start_display() {
  if [ -n "${CORVANE_DISPLAY:-}" ]; then
    echo "$CORVANE_DISPLAY" >"$WINEPREFIX.display"
    return
  fi
  if [ -s "$WINEPREFIX.xvfb" ] &&
      [ "$(ps -o comm= -p "$(cat "$WINEPREFIX.xvfb")" 2>/dev/null)" = Xvfb ]; then
    return
  fi
  local number=$WINEPREFIX.display-number
  rm -f "$number"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" \
    </dev/null >/dev/null 2>&1 9>&- &
  echo $! >"$WINEPREFIX.xvfb"
  for _ in $(seq 100); do
    [ -s "$number" ] && break
    sleep 0.1
  done
  echo ":$(cat "$number")" >"$WINEPREFIX.display"
  rm -f "$number"
}

case $action in
  start)
    mkdir -p "$(dirname "$WINEPREFIX")"
    start_display
    . "$here/wine-env.sh"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    # A prefix made from another wine-prefix.reg is made again.
    made=$(sha256sum <"$here/wine-prefix.reg" | cut -c1-16)
    if [ "$(cat "$WINEPREFIX/.corvane-ready" 2>/dev/null)" != "$made" ]; then
      [ -d "$WINEPREFIX" ] && { "$WINESERVER" -k 2>/dev/null || true; }
      rm -rf "$WINEPREFIX"
      WINEARCH=$arch "$WINE" wineboot -i </dev/null >/dev/null 2>&1
      # Crash dialog off, Wine's own URL handler never starts a browser,
      # keyboard focus follows xdotool without a window manager, a font for
      # Japanese and Chinese.
      "$WINE" regedit /S "Z:${here//\//\\}\\wine-prefix.reg" </dev/null >/dev/null 2>&1
      "$WINESERVER" -w
      echo "$made" >"$WINEPREFIX/.corvane-ready"
    fi
    shift 3
    if [ $# -gt 0 ]; then
      mkdir -p "$WINEPREFIX/drive_c/ct"
      cp -f "$@" "$WINEPREFIX/drive_c/ct/"
    fi
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&-
    "$WINE" regedit /S "Z:${here//\//\\}\\wine-prefix-session.reg" </dev/null >/dev/null 2>&1 9>&-
    ;;
  stop-server)
    "$WINESERVER" -k >/dev/null 2>&1 || true
    ;;
  stop)
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -s "$WINEPREFIX.xvfb" ]; then
      kill "$(cat "$WINEPREFIX.xvfb")" 2>/dev/null || true
    fi
    rm -f "$WINEPREFIX.xvfb" "$WINEPREFIX.display"
    ;;
  *)
    echo "usage: $0 start|stop|stop-server PREFIX ARCH" >&2
    exit 2
    ;;
esac
