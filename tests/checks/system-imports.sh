# Sourced by the file checks: fails (through fail()) on any import of FILE
# that is no Windows system DLL, and sets `imports` to the list.
#   check_system_imports FILE OBJDUMP
check_system_imports() {
  local system='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|shell32|shlwapi|comctl32|msvcrt|version|uxtheme|msi)\.dll$'
  imports=$("$2" -p "$1" | awk '/DLL Name/ {print tolower($3)}')
  for import in $imports; do
    [[ $import =~ $system ]] || fail "imports $import, which is no Windows system DLL"
  done
}
