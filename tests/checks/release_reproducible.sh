#!/bin/bash
# The release built again from a copy of the sources in another folder, at
# another time, against the one tools/dist.sh built: byte for byte, every
# file of the release and the programs of both trees; the programs' header
# time is the commit's; no file names a folder either build was made in.
#   release_reproducible.sh SOURCE_DIR DIST WIN32_TREE WIN64_TREE WORK_DIR
set -uo pipefail
src=$1 dist=$2 win32=$3 win64=$4 work=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
root=$src
# shellcheck source=../../tools/source_date.sh
. "$src/tools/source_date.sh"
export SOURCE_DATE_EPOCH
# shellcheck source=/dev/null
. "$win64/tests/product.sh"

# The sources as the checkout has them, changes not yet committed too, but
# without their history: the copy takes its time from SOURCE_DATE_EPOCH.
rm -rf "$work" && mkdir -p "$work/sources"
git -C "$src" ls-files -z --cached --others --exclude-standard |
  tar -C "$src" --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -C "$work/sources" -xf -
again=$work/sources/build-elsewhere
bash "$work/sources/tools/dist.sh" "$again" >"$work/dist.log" 2>&1 ||
  { tail -n 40 "$work/dist.log"; echo "FAIL: the second release did not build"; exit 1; }

# Every file of the release, through its sums: the same list, the same sums,
# and each file as its sum says.
diff "$dist/SHA256SUMS" "$again/dist/SHA256SUMS" || fail "the two releases differ (above)"
for release in "$dist" "$again/dist"; do
  (cd "$release" && sha256sum --quiet -c SHA256SUMS) || fail "$release: a file is not as listed"
  listed=$(wc -l <"$release/SHA256SUMS")
  files=$(find "$release" -type f ! -name SHA256SUMS | wc -l)
  [ "$listed" = "$files" ] || fail "$release: $files files, $listed listed"
done
[ "$(wc -l <"$dist/SHA256SUMS")" -ge 10 ] || fail "the release lists fewer than its 10 files"

# The time in a program's file header: after the "PE\0\0" signature, whose
# place the DOS header gives at 0x3c, and two 16-bit fields.
header_time() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx4 -j$((header + 8)) -N4 "$1" | tr -d ' '
}
epoch_hex=$(printf '%08x' "$SOURCE_DATE_EPOCH")
shipped=()
for file in "$MODULE_FILE" "$UI_MODULE_FILE" "$PROGRAM_FILE" package_actions.dll; do
  for tree in win32 win64; do
    built=${!tree}/bin/$file
    shipped+=("$built" "$again/$tree/bin/$file")
    cmp -s "$built" "$again/$tree/bin/$file" || fail "$tree $file differs"
    stamp=$(header_time "$built")
    [ "$stamp" = "$epoch_hex" ] || fail "$tree $file: header time $stamp, not the commit's $epoch_hex"
  done
done

# No shipped file names a folder of the builds (all below the sources' and
# the build root's). The setups' and packages' contents are compressed:
# the programs in them are searched one by one.
mapfile -t -d '' released < <(find "$dist" "$again/dist" -type f -print0)
for folder in "$src" "$(dirname "$win64")"; do
  grep -laF "$folder" "${shipped[@]}" "${released[@]}" && fail "the files above name $folder"
done

[ $failures -eq 0 ] && echo "the release built again in $again is the same, file for file"
exit $((failures > 0))
