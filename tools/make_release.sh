#!/bin/bash
# Packs Corvane's release from the two Windows build trees in BUILD_ROOT
# (tools/dist.sh builds them first) into OUT:
#   make_release.sh BUILD_ROOT OUT
# corvane-setup-x64.exe carries the 64-bit program and both DLLs,
# corvane-setup-x86.exe the 32-bit files; corvane-user-setup-*.exe are the
# same for one user, without administrator rights; corvane-x64.msi and
# corvane-x86.msi are the MSI packages for managed deployment; winget/ holds
# winget's manifests of them all; corvane-policies-VERSION.zip the
# administrative templates (installer/policies); SHA256SUMS the SHA-256 of
# every other file.
# The same commit packs the same bytes, wherever and whenever: every time
# in them is the commit's (SOURCE_DATE_EPOCH). Where a certificate is given
# (tools/sign_file.sh), every program is signed before it is packed, and
# every setup, uninstaller and package as it is made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1") out=$(realpath -m "$2")
# shellcheck source=source_date.sh
. "$root/tools/source_date.sh"
if [ -z "$SOURCE_DATE_EPOCH" ]; then
  echo "make_release.sh: no commit to take the release's time from: set SOURCE_DATE_EPOCH" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH
# shellcheck source=/dev/null
. "$build/win64/tests/product.sh"

# Files as they ship, in folders laid out as the build trees, which
# make_installer.sh and make_msi.sh take: copies, signed where a certificate
# is given, with the commit's time as their files' time (the MSI packages'
# cabinets keep it).
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
stage_tree() {
  local tree=$1 file
  mkdir -p "$stage/$tree/bin" "$stage/$tree/installer" "$stage/$tree/tests"
  cp "$build/$tree/installer/product.nsh" "$stage/$tree/installer/"
  cp "$build/$tree/tests/product.sh" "$stage/$tree/tests/"
  for file in "$MODULE_FILE" "$UI_MODULE_FILE" "$PROGRAM_FILE" package_actions.dll; do
    cp "$build/$tree/bin/$file" "$stage/$tree/bin/"
    bash "$root/tools/sign_file.sh" "$PRODUCT_NAME" "$stage/$tree/bin/$file"
    touch -d "@$SOURCE_DATE_EPOCH" "$stage/$tree/bin/$file"
  done
}
stage_tree win32
stage_tree win64

# Only what this packs is replaced: OUT may hold other files.
mkdir -p "$out"
rm -rf "$out"/corvane-*setup-x??.exe "$out"/corvane-x??.msi "$out"/corvane-policies-*.zip \
  "$out/winget" "$out/SHA256SUMS"

installers() {
  local arch=$1 tree=$2
  shift 2
  bash "$root/tools/make_installer.sh" "$arch" "$out/corvane-setup-$arch.exe" \
    "$stage/$tree" "$stage/$tree/bin/$MODULE_FILE" "$@"
  SCOPE=user bash "$root/tools/make_installer.sh" "$arch" "$out/corvane-user-setup-$arch.exe" \
    "$stage/$tree" "$stage/$tree/bin/$MODULE_FILE" "$@"
}
installers x64 win64 "$stage/win32/bin/$MODULE_FILE"
installers x86 win32
bash "$root/tools/make_msi.sh" x64 "$out/corvane-x64.msi" "$stage/win64" "$stage/win32"
bash "$root/tools/make_msi.sh" x86 "$out/corvane-x86.msi" "$stage/win32"
bash "$root/tools/make_winget.sh" "$out" "$stage/win64"

# The templates as files of the commit's time, readable by all, in one
# order, with no folder entries: the archive does not depend on the
# checkout's times, permissions or locale.
mkdir -p "$stage/policies"
(cd "$root/installer/policies" && cp --parents corvane.admx ./*/corvane.adml "$stage/policies/")
find "$stage/policies" -type f -exec chmod 644 {} + -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$stage/policies" && find . -type f | LC_ALL=C sort |
  TZ=UTC zip -q -X -D "$out/corvane-policies-$VERSION.zip" -@)

(cd "$out" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort |
  xargs -d '\n' sha256sum >SHA256SUMS)
echo "$out: $(find "$out" -type f | wc -l) files, SHA256SUMS:"
cat "$out/SHA256SUMS"
