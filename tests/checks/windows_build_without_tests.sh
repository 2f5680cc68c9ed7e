#!/bin/bash
# Configures the 64-bit Windows build with the tests off and builds it, as
# on a Windows machine that has no GoogleTest: the configure step must not
# look for GoogleTest or name a folder of this machine, and the DLL must be
# whole.   windows_build_without_tests.sh SOURCE_DIR WORK_DIR
set -uo pipefail
src=$1 work=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$(dirname "$work")"
cmake -S "$src" --preset win64-without-tests -B "$work" >"$work.log" 2>&1 ||
  { cat "$work.log"; echo "FAIL: configure"; exit 1; }
grep -qi 'gtest\|googletest' "$work/CMakeCache.txt" && fail "the configure step looked for GoogleTest"
[ -e "$work/googletest" ] || [ -e "$work/_deps" ] && fail "GoogleTest was brought into the tree"
# What a Windows configure reads names no folder of a Linux machine.
for file in CMakeLists.txt cmake/CorvaneWindows.cmake cmake/ProductDefines.cmake; do
  grep -n '/usr/\|/opt/\|/home/' "$src/$file" && fail "$file names a Linux path"
done
cmake --build "$work" -- -j2 >>"$work.log" 2>&1 || { tail -n 30 "$work.log"; fail "build"; }
for program in CORVANE.DLL Corvane.exe; do
  [ -f "$work/bin/$program" ] || fail "$program was not built"
done
"$src/tests/checks/check-dll.sh" "$work/bin/CORVANE.DLL" x86_64-w64-mingw32-objdump 0x8664 \
  $(awk '/PRIVATE/ {print $1}' "$src/module/corvane.def") || fail "DLL file"
[ $failures -eq 0 ]
