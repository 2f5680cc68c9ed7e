#!/bin/bash
# The release signed with a certificate made here for the purpose. Every
# program, setup and package carries a SHA-256 signature with the product's
# name and the commit's time, verified against that certificate as the
# trusted root; so do the programs in the packages, and the files a signed
# setup installs under Wine, the uninstaller it writes among them; without
# their signatures the installed programs are the build's own bytes. A byte
# changed after signing fails; the same key signs the same bytes again;
# winget's manifests and the sums list the files as signed. The same with a
# PKCS#12 file and its password.
#   release_signed.sh SOURCE_DIR BUILD_ROOT WINE_RUN PREFIX WORK_DIR
set -uo pipefail
src=$1 build=$2 wine_run=$3 prefix=$4 work=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
root=$src
# shellcheck source=../../tools/source_date.sh
. "$src/tools/source_date.sh"
export SOURCE_DATE_EPOCH
# shellcheck source=/dev/null
. "$build/win64/tests/product.sh"
rm -rf "$work" && mkdir -p "$work"

# A throwaway signer, valid from before the commit it signs.
faketime -f "2020-01-01 00:00:00" openssl req -x509 -newkey rsa:2048 -nodes -days 36500 \
  -subj "/CN=$COMPANY_NAME test signer" -addext extendedKeyUsage=codeSigning \
  -keyout "$work/signer.key" -out "$work/signer.pem" 2>"$work/openssl.log" ||
  { cat "$work/openssl.log"; echo "FAIL: no certificate was made"; exit 1; }

signing_time=$(date -u -d "@$SOURCE_DATE_EPOCH" '+%b %e %H:%M:%S %Y')
verified=0
verify() {
  local output
  output=$(osslsigncode verify -CAfile "$work/signer.pem" -in "$1" 2>&1)
  if ! grep -q '^Succeeded' <<<"$output"; then
    fail "${1#"$work"/} does not verify"
    return
  fi
  grep -Eq 'Message digest algorithm *: *SHA256' <<<"$output" || fail "${1#"$work"/}: not SHA-256"
  grep -q "Text description: $PRODUCT_NAME\$" <<<"$output" || fail "${1#"$work"/}: no product name"
  grep -q "Signing time: $signing_time GMT" <<<"$output" || fail "${1#"$work"/}: not the commit's time"
  verified=$((verified + 1))
}
# Every program below a folder, EXPECTED of them; CHECK, if named, looks at
# each too.   verify_programs FOLDER EXPECTED WHAT [CHECK]
verify_programs() {
  local count=0 file
  while IFS= read -r -d '' file; do
    verify "$file"
    count=$((count + 1))
    [ -z "${4:-}" ] || "$4" "$file"
  done < <(find "$1" -type f -iregex '.*\.\(exe\|dll\)' -print0)
  [ $count = "$2" ] || fail "$count $3, not $2"
}
# As a developer signs: the certificate's files named from the folder they
# are in.
signed_release() {
  (cd "$work" && CORVANE_SIGN_CERT=signer.pem CORVANE_SIGN_KEY=signer.key \
    bash "$src/tools/make_release.sh" "$build" "$1" >"$1.log" 2>&1) ||
    { tail -n 30 "$1.log"; fail "the signed release was not made"; exit 1; }
}

signed_release "$work/release"
release=$work/release
for file in "$release"/*.exe "$release"/*.msi; do verify "$file"; done
[ $verified = 6 ] || fail "$verified setups and packages verified, not 6"

# The programs inside the packages, as packed.
for package in "$release"/*.msi; do
  files=$work/packed/$(basename "$package" .msi)
  mkdir -p "$files"
  msiextract -C "$files" "$package" >/dev/null || fail "$package cannot be unpacked"
  msiinfo extract "$package" Binary.PackageActions >"$files/package_actions.dll"
done
# x64: both DLLs of each architecture, the program, the actions; x86: its
# two DLLs, the program, the actions.
verify_programs "$work/packed" 10 "packed programs"

# A changed byte: in the middle of a setup, and in a package's tables.
cp "$release/corvane-setup-x64.exe" "$work/changed.exe"
printf 'X' | dd of="$work/changed.exe" bs=1 seek=$(($(stat -c %s "$work/changed.exe") / 2)) \
  conv=notrunc 2>/dev/null
cp "$release/corvane-x64.msi" "$work/changed.msi"
msibuild "$work/changed.msi" -q "UPDATE Property SET Value = 'Someone else' WHERE Property = 'Manufacturer'"
for file in "$work/changed.exe" "$work/changed.msi"; do
  osslsigncode verify -CAfile "$work/signer.pem" -in "$file" >/dev/null 2>&1 &&
    fail "$(basename "$file") verifies after it was changed"
done

# The same key and commit sign the same bytes; the manifests and the sums
# describe the signed files.
signed_release "$work/again"
diff "$release/SHA256SUMS" "$work/again/SHA256SUMS" || fail "signed twice, the releases differ"
(cd "$release" && sha256sum --quiet -c SHA256SUMS) || fail "a signed file is not as SHA256SUMS lists it"
bash "$src/tests/checks/check-winget.sh" "$release" "$build/win64" || fail "winget's manifests"

# The signed setup installed: what it wrote is signed, its uninstaller too.
# Then removed as "Apps & features" does, and its folder waited for.
wine_path() { printf 'Z:%s' "${1//\//\\}"; }
installed="$prefix/drive_c/Program Files/Corvane"
"$wine_run" "$prefix" win64 "$(wine_path "$release/corvane-setup-x64.exe")" /S ||
  fail "the signed setup did not install"
# Without their signatures, the installed programs are the build's own
# bytes: what an administrator compares with a build of the sources.
unsigned=$(for tree in win32 win64; do
  for file in "$MODULE_FILE" "$UI_MODULE_FILE" "$PROGRAM_FILE"; do
    sha256sum "$build/$tree/bin/$file" | cut -d' ' -f1
  done
done)
built_bytes() {
  [ "$(basename "$1")" != uninstall.exe ] || return 0
  osslsigncode remove-signature -in "$1" -out "$work/unsigned" >/dev/null
  grep -qx "$(sha256sum "$work/unsigned" | cut -d' ' -f1)" <<<"$unsigned" ||
    fail "${1#"$prefix"/}, its signature removed, is not the build's"
  rm -f "$work/unsigned"
}
verify_programs "$installed" 6 "installed programs" built_bytes
[ -f "$installed/uninstall.exe" ] || fail "setup wrote no uninstaller"
"$wine_run" "$prefix" win64 'C:\Program Files\Corvane\uninstall.exe' /S || fail "the uninstaller failed"
for _ in $(seq 300); do [ -e "$installed" ] || break; sleep 0.2; done
[ -e "$installed" ] && { fail "the uninstaller left its folder"; rm -rf "$installed"; }

# A PKCS#12 file with its password in a file.
printf 'a password\n' >"$work/password"
openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.pem" -out "$work/signer.p12" \
  -passout "file:$work/password" || fail "no PKCS#12 file was made"
cp "$build/win64/bin/$MODULE_FILE" "$work/from-p12.dll"
CORVANE_SIGN_CERT=$work/signer.p12 CORVANE_SIGN_PASSWORD_FILE=$work/password \
  bash "$src/tools/sign_file.sh" "$PRODUCT_NAME" "$work/from-p12.dll" || fail "PKCS#12 signing failed"
verify "$work/from-p12.dll"

[ $failures -eq 0 ] && echo "$verified signatures verified"
exit $((failures > 0))
