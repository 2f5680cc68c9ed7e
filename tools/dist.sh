#!/bin/bash
# Builds Corvane's release into BUILD_ROOT/dist: what ships of both Windows
# trees, then the setups, packages, manifests and sums that
# tools/make_release.sh packs of them:
#   dist.sh [BUILD_ROOT]
# Run from the same commit, it writes the same bytes in any folder at any
# time; SOURCE_DATE_EPOCH stands for the commit's date where the sources
# are not a git checkout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

bash "$root/tools/bootstrap.sh"
for kind in win32 win64; do
  bash "$root/tools/build.sh" "$kind" "$build" corvane_shipped
done
bash "$root/tools/make_release.sh" "$build" "$build/dist"
