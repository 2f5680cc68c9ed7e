#!/bin/bash
# Builds every tree and runs the whole test suite in one CTest session:
# native unit tests under ASan/UBSan, the fuzzers' short runs, and the
# Windows-layer tests under Wine (32-bit where the machine runs 32-bit code,
# always 64-bit).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_ROOT:-$root/build}

bash "$root/tools/bootstrap.sh" || exit 1
for kind in native win32 win64; do
  echo "== building $kind"
  mkdir -p "$build"
  bash "$root/tools/build.sh" "$kind" "$build" >"$build/$kind.log" 2>&1 ||
    { tail -n 60 "$build/$kind.log"; echo "building $kind failed"; exit 1; }
done

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
