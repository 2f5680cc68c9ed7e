#!/bin/bash
# Fails when a C++ file of the project differs from what .clang-format
# makes of it:   check_format.sh CLANG_FORMAT   (run from the source root)
set -uo pipefail
clang_format=$1
mapfile -t files < <(find module band ui search support res program tests tools \
  -name '*.cpp' -o -name '*.h' | sort)
"$clang_format" --dry-run --Werror "${files[@]}" 2>&1 | head -n 40
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] && echo "${#files[@]} files follow .clang-format"
exit "$status"
