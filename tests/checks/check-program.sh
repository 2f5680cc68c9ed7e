#!/bin/bash
# Checks the built Corvane.exe as a file: machine type, a windowed program
# (no console), its manifest, and imports of Windows system DLLs only (it
# ships without any runtime DLL).
#   check-program.sh EXE OBJDUMP MACHINE
set -u
exe=$1 objdump=$2 machine=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$exe")
grep -q "^Magic.*PE32" <<<"$headers" || fail "no PE image"
actual_machine=$(od -An -tu2 -j $(($(od -An -tu4 -j 60 -N4 "$exe") + 4)) -N2 "$exe" | tr -d ' ')
actual_machine=$(printf '0x%04x' "$actual_machine")
[ "$actual_machine" = "$machine" ] || fail "machine $actual_machine, expected $machine"
grep -q "^Subsystem.*00000002" <<<"$headers" || fail "not a windowed (GUI) program"
grep -q "dpiAwareness" "$exe" || fail "no manifest with the DPI awareness"
# shellcheck source=system-imports.sh
. "$(dirname "$0")/system-imports.sh"
check_system_imports "$exe" "$objdump"

echo "$(basename "$exe"): machine $actual_machine, $(stat -c %s "$exe") bytes," \
  "imports: $(echo $imports)"
[ $failures -eq 0 ]
