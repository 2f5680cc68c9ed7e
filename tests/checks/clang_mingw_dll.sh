#!/bin/bash
# Builds CORVANE.DLL with a second compiler, clang and lld for mingw-w64,
# checks it as a file (its shared section must be shared there too) and runs
# the module, band and entry tests of this tree against it under Wine:
#   clang_mingw_dll.sh SOURCE_DIR WORK_DIR WINE_RUN PREFIX TEST_BIN_DIR
set -uo pipefail
src=$1 work=$2 wine_run=$3 prefix=$4 tests=$5
failures=0
rm -rf "$work" && mkdir -p "$(dirname "$work")"
cmake -S "$src" --preset win64-clang -B "$work" >"$work.log" 2>&1 &&
  cmake --build "$work" --target corvane corvane_ui >>"$work.log" 2>&1 ||
  { tail -n 30 "$work.log"; echo "FAIL: clang build"; exit 1; }
grep -q 'CMAKE_CXX_COMPILER_ID "Clang"' "$work"/CMakeFiles/*/CMakeCXXCompiler.cmake ||
  { echo "FAIL: the build did not use clang"; exit 1; }
"$src/tests/checks/check-dll.sh" "$work/bin/CORVANE.DLL" x86_64-w64-mingw32-objdump 0x8664 \
  $(awk '/PRIVATE/ {print $1}' "$src/module/corvane.def") || failures=$((failures + 1))
# The tests load the CORVANE.DLL that lies beside them, and it its UI module.
for program in module_tests band_tests entry_tests; do
  cp "$tests/$program.exe" "$work/bin/"
  "$wine_run" "$prefix" win64 "$work/bin/$program.exe" --gtest_brief=1 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "FAIL: $program with the clang DLL"; failures=$((failures + 1)); }
done
[ $failures -eq 0 ]
