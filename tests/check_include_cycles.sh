#!/bin/sh
# Fails when files of the program include each other in a circle. A header
# and its source file count as one unit.
set -eu
src=${1:-src}
cd "$src"
edges=$(grep -H -o '^#include "[a-z]*/[a-z0-9_]*\.h"' */*.cpp */*.h */*/*.cpp */*/*.h 2>/dev/null |
  sed -E 's#^([a-z/0-9_]*)\.(h|cpp):\#include "([a-z/0-9_]*)\.h"#\1 \3#' |
  awk '$1 != $2')
printf '%s\n' "$edges" | tsort >/dev/null
