#!/bin/sh
# Rewrites tests/traces/*/expected.txt from the current floemark-trace. Read every changed
# expected.txt (git diff) against the handheld's rules before committing it.
# Usage: tests/traces/rebaseline.sh [BUILD_DIR] [CASE...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
[ $# -gt 0 ] && shift
cmake --build "$build" --target floemark-trace
sounds="$here/../../SOUND"
if [ $# -eq 0 ]; then set -- "$here"/*/; fi
for dir in "$@"; do
  dir=${dir%/}
  case $dir in /*) ;; *) dir="$here/$dir" ;; esac
  [ -f "$dir/script.txt" ] || continue
  cmake -DTRACE="$build/floemark-trace" -DCASE="$dir" -DSOUNDS="$sounds" \
    -DWORK="$build/tests/traces/work/$(basename "$dir")" -DREBASELINE=1 -P "$here/run_case.cmake"
  echo "rebaselined $(basename "$dir")"
done
