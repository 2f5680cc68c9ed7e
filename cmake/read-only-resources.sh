#!/bin/bash
# Marks the .rsrc section of a PE image read-only, as Microsoft's linker
# makes it: GNU ld keeps the writable flag of windres's output, and every
# program the hook reaches would then map the resources as private,
# writable pages although nothing writes them.
#   read-only-resources.sh IMAGE
set -eu
image=$1
u16() { od -An -tu2 -j "$1" -N2 "$image" | tr -d ' '; }
u32() { od -An -tu4 -j "$1" -N4 "$image" | tr -d ' '; }
pe=$(u32 60)
sections=$(u16 $((pe + 6)))
table=$((pe + 24 + $(u16 $((pe + 20)))))
for ((i = 0; i < sections; i++)); do
  entry=$((table + 40 * i))
  [ "$(dd if="$image" bs=1 skip=$entry count=8 2>/dev/null | tr -d '\0')" = .rsrc ] || continue
  flags=$(($(u32 $((entry + 36))) & ~0x80000000))
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((flags & 255)) $((flags >> 8 & 255)) \
    $((flags >> 16 & 255)) $((flags >> 24 & 255)))" |
    dd of="$image" bs=1 seek=$((entry + 36)) conv=notrunc 2>/dev/null
  exit 0
done
echo "read-only-resources.sh: $image has no .rsrc section" >&2
exit 1
