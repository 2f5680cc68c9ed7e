#!/bin/bash
# Checks a built helper DLL as a file (CORVANEUI.DLL, the MSI packages'
# actions): machine type, exports by name (those its .def gives, which its
# callers look up) and imports of Windows system DLLs only.
#   check-dll-exports.sh DLL OBJDUMP MACHINE EXPORT...
set -u
dll=$1 objdump=$2 machine=$3
shift 3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

actual_machine=$(od -An -tu2 -j $(($(od -An -tu4 -j 60 -N4 "$dll") + 4)) -N2 "$dll" | tr -d ' ')
actual_machine=$(printf '0x%04x' "$actual_machine")
[ "$actual_machine" = "$machine" ] || fail "machine $actual_machine, expected $machine"
# shellcheck source=pe-exports.sh
. "$(dirname "$0")/pe-exports.sh"
check_exports "$dll" "$objdump" "$@"
# shellcheck source=system-imports.sh
. "$(dirname "$0")/system-imports.sh"
check_system_imports "$dll" "$objdump"

echo "$(basename "$dll"): machine $actual_machine, $(stat -c %s "$dll") bytes," \
  "imports: $(echo $imports)"
[ $failures -eq 0 ]
