# Sourced by the Wine scripts: chooses Wine's loader and server for the
# prefix architecture in $arch (win32 or win64) and the settings every run
# shares. Debian's /usr/bin/wine always prefers the 32-bit loader, which a
# 64-bit prefix cannot use, so the loaders are named directly.
case ${arch:-win32} in
  win64)
    WINE=/usr/lib/wine/wine64
    WINESERVER=/usr/lib/wine/wineserver64
    export WINELOADER=$WINE
    ;;
  *)
    WINE=/usr/lib/wine/wine
    WINESERVER=/usr/lib/wine/wineserver32
    ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# One display per wineserver session: the one the prefix was started with.
if [ -n "${WINEPREFIX:-}" ] && [ -s "$WINEPREFIX.display" ]; then
  DISPLAY=$(cat "$WINEPREFIX.display")
  export DISPLAY
else
  unset DISPLAY
fi
