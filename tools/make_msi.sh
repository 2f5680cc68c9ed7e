#!/bin/bash
# Builds one Corvane MSI package with wixl from a Windows build tree's files:
#   make_msi.sh x64 OUTFILE TREE X86_TREE
#   make_msi.sh x86 OUTFILE TREE
# TREE gives the program, the DLLs and the names, ids and version the code
# shares; MSI_VERSION in the environment stands for its version (a test's
# newer package). Where a certificate is given (tools/sign_file.sh), the
# package is signed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 outfile=$(realpath -m "$2") tree=$(realpath "$3")
# shellcheck source=/dev/null
source "$tree/tests/product.sh"
# shellcheck source=source_date.sh
. "$root/tools/source_date.sh"
version=${MSI_VERSION:-$VERSION}
packed=("$tree/bin/$PROGRAM_FILE" "$tree/bin/$MODULE_FILE" "$tree/bin/$UI_MODULE_FILE"
        "$tree/bin/package_actions.dll")
if [ "$arch" = x64 ]; then
  other=$(realpath "$4")
  packed+=("$other/bin/$MODULE_FILE" "$other/bin/$UI_MODULE_FILE")
fi

# The package's codes follow from what makes it instead of chance: the
# version, the architecture, the files it carries and what describes it. The
# same sources give the same package; other sources (or the same files
# signed) a new product and package, so that a package replaces the
# installed one even at the same version, as below.
makers=("${packed[@]}" "$root/program/corvane.ico" "$root/installer/corvane.wxs" "$0"
        "$tree/tests/product.sh")
seed="$version $arch $(sha256sum "${makers[@]}" | cut -d' ' -f1 | tr '\n' ' ')"
derived_code() {
  local hash
  hash=$(printf '%s %s' "$1" "$seed" | sha256sum | tr a-f A-F)
  # A GUID of RFC 9562's version 8 (its bits its maker's own), variant 10.
  printf '{%s-%s-8%s-%X%s-%s}' "${hash:0:8}" "${hash:8:4}" "${hash:13:3}" \
    $(((0x${hash:16:1} & 3) | 8)) "${hash:17:3}" "${hash:20:12}"
}
# wixl takes its files' paths relative to the description's folder.
from() { realpath --relative-to="$root/installer" "$1"; }
class_key='Software\Classes\CLSID\'$BAND_CLASS_ID
defines=(
  -D Arch="$arch" -D Version="$version" -D ProductName="$PRODUCT_NAME" -D CompanyName="$COMPANY_NAME"
-D UpgradeCode="$MSI_UPGRADE_CODE" -D BandClassId="$BAND_CLASS_ID"
  -D ClassKey="$class_key" -D BandDisplayName="$BAND_DISPLAY_NAME"
  -D CategoryKey="$class_key\\Implemented Categories\\$DESK_BAND_CATEGORY_ID"
  -D ModuleFile="$MODULE_FILE" -D UiModuleFile="$UI_MODULE_FILE" -D ProgramFile="$PROGRAM_FILE"
  -D RunKey="$RUN_KEY" -D RunValue="$RUN_VALUE" -D UninstallKey="$UNINSTALL_KEY"
  -D Program="$(from "$tree/bin/$PROGRAM_FILE")" -D Dll="$(from "$tree/bin/$MODULE_FILE")"
  -D UiDll="$(from "$tree/bin/$UI_MODULE_FILE")" -D Icon="$(from "$root/program/corvane.ico")"
  -D PackageActions="$(from "$tree/bin/package_actions.dll")"
  -D ProductCode="$(derived_code product)"
)
if [ "$arch" = x64 ]; then
  defines+=(-D Dll86="$(from "$other/bin/$MODULE_FILE")" -D UiDll86="$(from "$other/bin/$UI_MODULE_FILE")")
fi
mkdir -p "$(dirname "$outfile")"
# wixl writes the clock's time as the package's times: the commit's. It
# writes the files' times into its cabinet as local times: in UTC.
clock=()
[ -n "$SOURCE_DATE_EPOCH" ] && clock=(faketime -f "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')")
# wixl reads its texts in the locale's encoding.
LC_ALL=C.UTF-8 TZ=UTC "${clock[@]}" wixl -a "$arch" "${defines[@]}" -o "$outfile" "$root/installer/corvane.wxs"
# wixl draws the package code by chance; msibuild sets it with the summary
# texts wixl wrote.
summary() { msiinfo suminfo "$outfile" | sed -n "s/^$1: //p"; }
msibuild "$outfile" -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" \
  "$(derived_code package)"
# What wixl cannot express: Windows 11's taskbar has no toolbars, so there
# the program starts with Windows unless AUTOSTART=no; elsewhere only with
# AUTOSTART=yes; an upgrade keeps what was chosen. (Held during removal too,
# so that the value goes with the package.)
condition='AUTOSTART = "yes" OR (NOT AUTOSTART AND (WINDOWSBUILD >= 22000 OR STARTSWITHWINDOWS))'
msibuild "$outfile" -q "UPDATE Component SET Condition = '$condition OR REMOVE' \
WHERE Component = 'StartWithWindows'"
# The strips of the installing session are closed just before the files are
# checked, and started again as the signed-in user, not elevated, once the
# package is in place: the running shell starts what explorer.exe is given.
# (Scheduled here: wixl places a custom action at random, first of all or
# just before the files are checked.)
program_files=ProgramFilesFolder
[ "$arch" = x64 ] && program_files=ProgramFiles64Folder
msibuild "$outfile" -q "UPDATE \`CustomAction\` SET \`Type\` = 65 WHERE \`Action\` = 'CloseStrips'"
msibuild "$outfile" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) \
VALUES ('CloseStrips', 1399)"
msibuild "$outfile" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) \
VALUES ('StartStripAgain', 226, 'INSTALLDIR', '\"[WindowsFolder]explorer.exe\" \"[#CorvaneExe]\"')"
msibuild "$outfile" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) \
VALUES ('StartStripAgain', 'STRIPSCLOSED AND NOT REMOVE~=\"ALL\"', 6601)"
# Every user's taskbar loads the band from the folder: only one in Program
# Files, which standard users cannot change, is taken.
refusal="Corvane for all users goes into Program Files, where only administrators can change \
what the taskbar of every user loads. [INSTALLDIR] is elsewhere: please leave INSTALLDIR out, or \
choose a folder in [$program_files]."
msibuild "$outfile" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) \
VALUES ('RefuseFolder', 19, '', '$refusal')"
msibuild "$outfile" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) \
VALUES ('RefuseFolder', 'NOT Installed AND (NOT (INSTALLDIR ~<< $program_files) OR INSTALLDIR >< \"\\..\\\")', 1001)"
# Windows Installer compares three parts of a version, and builds differ in
# the fourth: a package of the same version replaces the installed one too
# (migrate features, the highest version included).
msibuild "$outfile" -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'"
msibuild "$outfile" -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \
\`ActionProperty\`) VALUES ('$MSI_UPGRADE_CODE', '$version', 513, 'WIX_UPGRADE_DETECTED')"
bash "$root/tools/sign_file.sh" "$PRODUCT_NAME" "$outfile"
echo "$outfile: $(stat -c %s "$outfile") bytes"
