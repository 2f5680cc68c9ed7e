# Sourced by the file checks: fails (through fail()) unless FILE exports by
# name exactly the EXPORTs given, in any order.
#   check_exports FILE OBJDUMP EXPORT...
check_exports() {
  local file=$1 objdump=$2 expected actual
  shift 2
  expected=$(printf '%s\n' "$@" | sort)
  actual=$("$objdump" -p "$file" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
  [ "$actual" = "$expected" ] || fail "exports: $(echo $actual), expected: $(echo $expected)"
}
