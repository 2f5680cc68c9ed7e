#!/bin/bash
# Checks the built CORVANE.DLL as a file: machine type, exports by name,
# imports (Windows system DLLs only), the shared section's characteristics,
# the size, and the writable image that is not shared (what every program
# the hook reaches may come to hold of it privately).
#   check-dll.sh DLL OBJDUMP MACHINE EXPORT...
set -u
dll=$1 objdump=$2 machine=$3
shift 3
# The DLL's budget: 64 KiB in all, and a writable image that counts whole
# pages of every writable section but the shared one: .data, .bss and the
# import table (the loader writes its address slots).
maxBytes=65536 maxWritableKiB=12
exports=("$@")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

u16() { od -An -tu2 -j "$1" -N2 "$dll" | tr -d ' '; }
u32() { od -An -tu4 -j "$1" -N4 "$dll" | tr -d ' '; }

pe=$(u32 60)
[ "$(od -An -c -j "$pe" -N4 "$dll" | tr -d ' ')" = 'PE\0\0' ] || fail "no PE signature"
actual_machine=$(printf '0x%04x' "$(u16 $((pe + 4)))")
[ "$actual_machine" = "$machine" ] || fail "machine $actual_machine, expected $machine"

sections=$(u16 $((pe + 6)))
optional=$(u16 $((pe + 20)))
table=$((pe + 24 + optional))
shared=
writableKiB=0
for ((i = 0; i < sections; i++)); do
  entry=$((table + 40 * i))
  name=$(dd if="$dll" bs=1 skip=$entry count=8 2>/dev/null | tr -d '\0')
  flags=$(u32 $((entry + 36)))
  if [ "$name" = .shared ]; then
    shared=$(printf '0x%08X' "$flags")
  elif ((flags & 0x80000000)); then
    writableKiB=$((writableKiB + ($(u32 $((entry + 8))) + 4095) / 4096 * 4))
  fi
done
[ "$shared" = 0xD0000040 ] || fail ".shared characteristics '${shared:-missing}', expected 0xD0000040"

# shellcheck source=pe-exports.sh
. "$(dirname "$0")/pe-exports.sh"
check_exports "$dll" "$objdump" "${exports[@]}"

# shellcheck source=system-imports.sh
. "$(dirname "$0")/system-imports.sh"
check_system_imports "$dll" "$objdump"

size=$(stat -c %s "$dll")
[ "$size" -le "$maxBytes" ] || fail "size $size bytes, limit $maxBytes"
[ "$writableKiB" -le "$maxWritableKiB" ] ||
  fail "writable unshared image $writableKiB KiB, limit $maxWritableKiB KiB"

echo "$(basename "$dll"): machine $actual_machine, $size bytes, writable $writableKiB KiB," \
  "imports: $(echo $imports)"
[ $failures -eq 0 ]
