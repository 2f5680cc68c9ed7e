#!/bin/bash
# Configures and builds one tree from its preset in CMakePresets.json:
#   build.sh native|native-release|win32|win64 [BUILD_ROOT]
set -euo pipefail
kind=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}/$kind

case $kind in
  native | native-release | win32 | win64) ;;
  *)
    echo "usage: $0 native|native-release|win32|win64 [BUILD_ROOT]" >&2
    exit 2 ;;
esac

cmake -S "$root" --preset "$kind" -B "$build" >/dev/null
cmake --build "$build" -- -j2
