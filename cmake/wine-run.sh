#!/bin/sh
# Runs a Windows program under Wine in a private prefix:
#   wine-run.sh PREFIX ARCH PROGRAM [ARGS...]
export WINEPREFIX=$1
arch=$2
shift 2
. "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
