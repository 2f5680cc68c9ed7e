#!/bin/bash
# winget's manifests against the installers they describe, as built:
#   check-winget.sh DIST TREE
# Every installer of DIST is listed once, with its SHA-256, its type and
# scope, its architecture, its silent switch and (for an MSI package) its
# product code; the three manifests name the same package and version.
set -uo pipefail
dist=$1
# shellcheck source=/dev/null
source "$2/tests/product.sh"
manifests=$dist/winget
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { sed -n "s/^$1: //p" "$2" | head -n 1; }

for manifest in Ostrand.Corvane.yaml Ostrand.Corvane.installer.yaml \
                Ostrand.Corvane.locale.en-US.yaml; do
  file=$manifests/$manifest
  [ -f "$file" ] || { fail "$manifest is missing"; continue; }
  [ "$(field PackageIdentifier "$file")" = Ostrand.Corvane ] || fail "$manifest: identifier"
  [ "$(field PackageVersion "$file")" = "$VERSION" ] || fail "$manifest: version is not $VERSION"
  [ "$(field ManifestVersion "$file")" = "$(field ManifestVersion "$manifests/Ostrand.Corvane.yaml")" ] ||
    fail "$manifest: another manifest version"
  grep -q '@' "$file" && fail "$manifest: a value was not written"
done

# The installers' entries, one line each: the fields the check compares.
entries=$(awk '
  function flush() { if (url != "-" && url != "") print arch, type, scope, url, hash, silent, code, elevation }
  /^- Architecture:/ { flush(); arch = $3; type = scope = url = hash = silent = code = elevation = "-" }
  /^  InstallerType:/ { type = $2 }
  /^  Scope:/ { scope = $2 }
  /^  InstallerUrl:/ { url = $2 }
  /^  InstallerSha256:/ { hash = $2 }
  /^    Silent:/ { silent = $2 }
  /^  ProductCode:/ { code = $2; gsub("\047", "", code) }
  /^  ElevationRequirement:/ { elevation = $2 }
  /^ManifestType:/ { flush(); url = "" }
' "$manifests/Ostrand.Corvane.installer.yaml")

listed=()
while read -r arch type scope url hash silent code elevation; do
  name=${url##*/}
  listed+=("$name")
  file=$dist/$name
  [ -f "$file" ] || { fail "$name is listed but was not built"; continue; }
  actual=$(sha256sum "$file" | cut -d' ' -f1 | tr a-f A-F)
  [ "$hash" = "$actual" ] || fail "$name: SHA-256 $hash, built $actual"
  [[ $name == *-$arch.* ]] || fail "$name: architecture $arch"
  if [[ $name == *.msi ]]; then
    [ "$type" = msi ] || fail "$name: type $type"
    [ "$scope" = machine ] || fail "$name: scope $scope"
    built=$(msiinfo export "$file" Property | awk -F'\t' '$1 == "ProductCode" { print $2 }' | tr -d '\r')
    [ "$code" = "$built" ] || fail "$name: product code $code, built $built"
  else
    [ "$type" = nullsoft ] || fail "$name: type $type"
    [ "$silent" = /S ] || fail "$name: silent switch $silent"
    if [[ $name == *user-setup* ]]; then
      [ "$scope" = user ] || fail "$name: scope $scope"
      [ "$elevation" = - ] || fail "$name: asks for elevation ($elevation)"
    else
      [ "$scope" = machine ] || fail "$name: scope $scope"
      [ "$elevation" = elevatesSelf ] || fail "$name: elevation $elevation"
    fi
  fi
done <<<"$entries"

for file in "$dist"/*.exe "$dist"/*.msi; do
  name=$(basename "$file")
  count=0
  for entry in "${listed[@]}"; do [ "$entry" = "$name" ] && count=$((count + 1)); done
  [ "$count" = 1 ] || fail "$name is listed $count times"
done
[ "${#listed[@]}" -gt 0 ] || fail "no installers listed"

if [ "$failures" -gt 0 ]; then
  echo "$failures problems in $manifests"
  exit 1
fi
echo "winget manifests: ${#listed[@]} installers, each as built"
