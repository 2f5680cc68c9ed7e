#!/bin/bash
# Builds both Windows trees and Corvane's installers into BUILD_ROOT/dist:
#   dist.sh [BUILD_ROOT]
# corvane-setup-x64.exe carries the 64-bit program and both DLLs,
# corvane-setup-x86.exe the 32-bit files; corvane-user-setup-*.exe are the
# same for one user, without administrator rights; corvane-x64.msi and
# corvane-x86.msi are the MSI packages for managed deployment; winget/ holds
# winget's manifests of them all; corvane-policies-VERSION.zip the
# administrative templates (installer/policies).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

bash "$root/tools/bootstrap.sh"
for kind in win32 win64; do
  bash "$root/tools/build.sh" "$kind" "$build"
done

installer() {
  local arch=$1 tree=$2
  shift 2
  bash "$root/tools/make_installer.sh" "$arch" "$build/dist/corvane-setup-$arch.exe" \
    "$build/$tree" "$build/$tree/bin/CORVANE.DLL" "$@"
  SCOPE=user bash "$root/tools/make_installer.sh" "$arch" \
    "$build/dist/corvane-user-setup-$arch.exe" "$build/$tree" "$build/$tree/bin/CORVANE.DLL" "$@"
}
installer x64 win64 "$build/win32/bin/CORVANE.DLL"
installer x86 win32
bash "$root/tools/make_msi.sh" x64 "$build/dist/corvane-x64.msi" "$build/win64" "$build/win32"
bash "$root/tools/make_msi.sh" x86 "$build/dist/corvane-x86.msi" "$build/win32"
bash "$root/tools/make_winget.sh" "$build/dist" "$build/win64"

# shellcheck source=/dev/null
. "$build/win64/tests/product.sh"
policies=$build/dist/corvane-policies-$VERSION.zip
rm -f "$policies"
(cd "$root/installer/policies" && zip -q -X -r "$policies" corvane.admx ./*/corvane.adml)
