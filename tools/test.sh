#!/bin/bash
# Builds every tree and the installers and runs the whole test suite in one
# CTest session: native unit tests under ASan/UBSan, the fuzzers' short runs,
# and the Windows-layer and installer tests under Wine (32-bit where the
# machine runs 32-bit code, always 64-bit).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_ROOT:-$root/build}

bash "$root/tools/bootstrap.sh" || exit 1
# Building with a log each: native, both Windows trees with their tests,
# then the release, whose installers the Windows tests install.
build_step() {
  local name=$1
  shift
  echo "== building $name"
  mkdir -p "$build"
  "$@" >"$build/$name.log" 2>&1 ||
    { tail -n 60 "$build/$name.log"; echo "building $name failed"; exit 1; }
}
build_step native bash "$root/tools/build.sh" native "$build"
build_step win32 bash "$root/tools/build.sh" win32 "$build"
build_step win64 bash "$root/tools/build.sh" win64 "$build"
build_step release bash "$root/tools/dist.sh" "$build"

# Every run starts its Wine sessions afresh.
for arch in win32 win64; do
  [ -d "$build/$arch/wineprefix" ] &&
    "$root/cmake/wine-prefix.sh" stop "$build/$arch/wineprefix" "$arch"
done

cat >"$build/CTestTestfile.cmake" <<CTEST
subdirs("native")
subdirs("win32")
subdirs("win64")
CTEST
ctest --test-dir "$build" -j2 --output-on-failure --timeout 600
