#!/bin/bash
# Marks the .rsrc section of a PE image read-only, as Microsoft's linker
# makes it: GNU ld keeps the writable flag of windres's output, and every
# program the hook reaches would then map the resources as private,
# writable pages although nothing writes them. The header's checksum is
# then made again, as the linker made it, for the changed image.
#   read-only-resources.sh IMAGE
set -eu
image=$1
u16() { od -An -tu2 -j "$1" -N2 "$image" | tr -d ' '; }
u32() { od -An -tu4 -j "$1" -N4 "$image" | tr -d ' '; }
put32() {
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($2 & 255)) $(($2 >> 8 & 255)) \
    $(($2 >> 16 & 255)) $(($2 >> 24 & 255)))" |
    dd of="$image" bs=1 seek="$1" conv=notrunc 2>/dev/null
}
# The PE checksum: the image's 16-bit words summed with their carries
# folded back, the checksum's own field taken as zero, plus the image's
# length.
checksum() {
  local field=$1
  od -An -v -tu2 "$image" | awk -v skip=$((field / 2)) -v size="$(stat -c %s "$image")" '
    { for (i = 1; i <= NF; i++) {
        if (n != skip && n != skip + 1) { sum += $i; sum = (sum % 65536) + int(sum / 65536) }
        n++ } }
    END { printf "%d\n", sum + size }'
}
pe=$(u32 60)
sections=$(u16 $((pe + 6)))
table=$((pe + 24 + $(u16 $((pe + 20)))))
for ((i = 0; i < sections; i++)); do
  entry=$((table + 40 * i))
  [ "$(dd if="$image" bs=1 skip=$entry count=8 2>/dev/null | tr -d '\0')" = .rsrc ] || continue
  put32 $((entry + 36)) $(($(u32 $((entry + 36))) & ~0x80000000))
  field=$((pe + 24 + 64))
  put32 "$field" "$(checksum "$field")"
  exit 0
done
echo "read-only-resources.sh: $image has no .rsrc section" >&2
exit 1
