#!/bin/bash
# Builds one Corvane installer with NSIS from a Windows build tree's files:
#   make_installer.sh x64 OUTFILE TREE DLL DLL_X86
#   make_installer.sh x86 OUTFILE TREE DLL
# TREE gives the program and the names, ids and version the code shares; DLL
# is the tree's CORVANE.DLL or another build of it. SCOPE=user in the
# environment makes the per-user installer. Where a certificate is given
# (tools/sign_file.sh), setup and its uninstaller are signed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# makensis takes relative paths from the script's folder.
arch=$1 outfile=$(realpath -m "$2") tree=$(realpath "$3") dll=$(realpath "$4")
# Each CORVANE.DLL's UI module is its own tree's.
extra=(-DUI_DLL="$tree/bin/CORVANEUI.DLL")
[ "$arch" = x64 ] && extra+=(-DDLL_X86="$(realpath "$5")" -DUI_DLL_X86="$(dirname "$(realpath "$5")")/CORVANEUI.DLL")
# makensis signs from the script's folder too: the certificate's files by
# their full paths.
for variable in CORVANE_SIGN_CERT CORVANE_SIGN_KEY CORVANE_SIGN_PASSWORD_FILE; do
  [ -z "${!variable:-}" ] || export "$variable=$(realpath -m "${!variable}")"
done
mkdir -p "$(dirname "$outfile")"
makensis -V2 -WX -DARCH="$arch" -DSCOPE="${SCOPE:-machine}" -DDEFINES="$tree/installer/product.nsh" -DDLL="$dll" \
  -DPROGRAM="$tree/bin/Corvane.exe" -DICON="$root/program/corvane.ico" -DOUTFILE="$outfile" \
  -DSIGN_SCRIPT="$root/tools/sign_file.sh" \
  "${extra[@]}" "$root/installer/corvane.nsi"
echo "$outfile: $(stat -c %s "$outfile") bytes"
