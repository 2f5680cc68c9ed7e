#!/bin/bash
# Configures and builds one tree from its preset in CMakePresets.json, all
# of it or only the TARGETs named:
#   build.sh native|native-release|win32|win64 [BUILD_ROOT [TARGET...]]
set -euo pipefail
kind=$1
root=$(cd "$(dirname "$0")/.." && pwd)
builds=${2:-$root/build}
build=$builds/$kind
targets=("${@:3}")

case $kind in
  native | native-release | win32 | win64) ;;
  *)
    echo "usage: $0 native|native-release|win32|win64 [BUILD_ROOT]" >&2
    exit 2 ;;
esac

# The two Windows trees find each other, the installers and the native
# tree's test programs in BUILD_ROOT; what they ship carries the commit's
# time.
# shellcheck source=source_date.sh
. "$root/tools/source_date.sh"
trees=()
case $kind in
  win32 | win64)
    other=win64
    [ "$kind" = win64 ] && other=win32
    trees=(-DCORVANE_OTHER_ARCH_TREE="$builds/$other" -DCORVANE_DIST_DIR="$builds/dist"
           -DCORVANE_NATIVE_TREE="$builds/native" -DCORVANE_SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH") ;;
esac
# A tree configured from another checkout (a copied or moved folder) cannot
# be reused: CMake refuses it with a message that does not say what to do.
cache=$build/CMakeCache.txt
if [ -f "$cache" ]; then
  made_from=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
  if [ -n "$made_from" ] && [ "$made_from" != "$root" ]; then
    echo "The build folder $build was made by the checkout in $made_from," >&2
    echo "not by this one ($root). Remove it (rm -rf '$builds') or choose another" >&2
    echo "with CORVANE_BUILD_ROOT, then run this again." >&2
    exit 1
  fi
fi
cmake -S "$root" --preset "$kind" -B "$build" "${trees[@]}" >/dev/null
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$build" --target "${targets[@]}" -- -j2
else
  cmake --build "$build" -- -j2
fi
