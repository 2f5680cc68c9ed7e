#!/bin/bash
# Writes winget's manifests for the installers in DIST into DIST/winget,
# from installer/winget/*.yaml.in: the version, each installer's SHA-256 and
# each MSI package's product code, as built.
#   make_winget.sh DIST TREE [URL]
# TREE gives the names, ids and version the code shares; URL is where the
# installers are published (by default Ostrand's download folder of the
# version).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$(realpath "$1") tree=$(realpath "$2")
# shellcheck source=/dev/null
source "$tree/tests/product.sh"
url=${3:-https://downloads.ostrand.com/corvane/$VERSION}
out=$dist/winget
mkdir -p "$out"
substitutions=(-e "s|@VERSION@|$VERSION|g" -e "s|@URL@|$url|g" -e "s|@COPYRIGHT@|$COPYRIGHT|g"
               -e "s|@MSI_UPGRADE_CODE@|$MSI_UPGRADE_CODE|g")
for file in "$dist"/*.exe "$dist"/*.msi; do
  name=$(basename "$file")
  hash=$(sha256sum "$file" | cut -d' ' -f1 | tr a-f A-F)
  substitutions+=(-e "s|@SHA256_$name@|$hash|g")
  if [[ $name == *.msi ]]; then
    code=$(msiinfo export "$file" Property | awk -F'\t' '$1 == "ProductCode" { print $2 }' | tr -d '\r')
    substitutions+=(-e "s|@PRODUCT_CODE_$name@|$code|g")
  fi
done
for template in "$root"/installer/winget/*.yaml.in; do
  manifest=$out/$(basename "$template" .in)
  sed "${substitutions[@]}" "$template" >"$manifest"
  if grep -n '@[A-Z_]*[^@]*@' "$manifest"; then
    echo "$manifest: a value above was not written (its installer is missing?)" >&2
    exit 1
  fi
done
echo "$out: $(ls "$out" | tr '\n' ' ')"
