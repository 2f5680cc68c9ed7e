#!/bin/bash
# Configures and builds one tree from its preset in CMakePresets.json:
#   build.sh native|native-release|win32|win64 [BUILD_ROOT]
set -euo pipefail
kind=$1
root=$(cd "$(dirname "$0")/.." && pwd)
builds=${2:-$root/build}
build=$builds/$kind

case $kind in
  native | native-release | win32 | win64) ;;
  *)
    echo "usage: $0 native|native-release|win32|win64 [BUILD_ROOT]" >&2
    exit 2 ;;
esac

# The two Windows trees find each other, the installers and the native
# tree's test programs in BUILD_ROOT.
trees=()
case $kind in
  win32) trees=(-DCORVANE_OTHER_ARCH_TREE="$builds/win64" -DCORVANE_DIST_DIR="$builds/dist"
                -DCORVANE_NATIVE_TREE="$builds/native") ;;
  win64) trees=(-DCORVANE_OTHER_ARCH_TREE="$builds/win32" -DCORVANE_DIST_DIR="$builds/dist"
                -DCORVANE_NATIVE_TREE="$builds/native") ;;
esac
cmake -S "$root" --preset "$kind" -B "$build" "${trees[@]}" >/dev/null
cmake --build "$build" -- -j2
