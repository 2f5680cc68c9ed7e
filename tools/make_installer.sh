#!/bin/bash
# Builds one Corvane installer with NSIS:
#   make_installer.sh x64 OUTFILE DLL PROGRAM DLL_X86
#   make_installer.sh x86 OUTFILE DLL PROGRAM
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 outfile=$2 dll=$3 program=$4
extra=()
[ "$arch" = x64 ] && extra=(-DDLL_X86="$5")
mkdir -p "$(dirname "$outfile")"
makensis -V2 -WX -DARCH="$arch" -DDLL="$dll" -DPROGRAM="$program" \
  -DICON="$root/program/corvane.ico" -DOUTFILE="$outfile" "${extra[@]}" \
  "$root/installer/corvane.nsi"
echo "$outfile: $(stat -c %s "$outfile") bytes"
