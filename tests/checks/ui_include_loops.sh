#!/bin/bash
# The band's window code depends one way: no unit of ui/ (a .cpp with its .h)
# reaches itself through the units it includes.
#   ui_include_loops.sh SOURCE_DIR
set -eu
cd "$1/ui"
edges=$(for file in *.cpp *.h; do
  unit=${file%.*}
  grep -o '^#include "ui/[a-z_]*\.h"' "$file" | sed 's#.*"ui/\(.*\)\.h"#\1#' |
    while read -r included; do
      [ "$included" = "$unit" ] || echo "$unit $included"
    done
  echo "$unit $unit"
done | sort -u)
if ! loops=$(tsort <<<"$edges" 2>&1 >/dev/null) || [ -n "$loops" ]; then
  echo "FAIL: units of ui/ include each other:"
  echo "$loops"
  exit 1
fi
echo "ui/: $(wc -l <<<"$edges") includes, no loop"
