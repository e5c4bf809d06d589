#!/bin/sh
# floemark-trace.js under Node must be the native floemark-trace, byte for byte: the same
# standard output, standard error and exit code on every replay case of tests/traces, on
# scripts it can't read (a folder, a missing file, standard input), on usage errors, and on
# random scripts made by random_script.js.
#   web/tests/trace_equal.sh [NATIVE_TRACE [TRACE_JS [RANDOM_COUNT]]]
# Defaults: build/floemark-trace, build-web/floemark-trace.js, 200.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
native=${1:-$root/build/floemark-trace}
js=${2:-$root/build-web/floemark-trace.js}
count=${3:-200}
for f in "$native" "$js"; do
  [ -f "$f" ] || { echo "trace_equal: $f is missing (build it first)"; exit 1; }
done
# Each run is in a folder of its own.
native=$(realpath "$native")
js=$(realpath "$js")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs both on the same arguments in folder $1, with standard input from $2; the rest are the
# tool's arguments.
same() {
  dir=$1 input=$2
  shift 2
  (cd "$dir" && set +e; "$native" "$@" <"$input" >"$work/n.out" 2>"$work/n.err"; echo $? >"$work/n.rc")
  (cd "$dir" && set +e; node "$js" "$@" <"$input" >"$work/j.out" 2>"$work/j.err"; echo $? >"$work/j.rc")
  for part in out err rc; do
    if ! cmp -s "$work/n.$part" "$work/j.$part"; then
      echo "trace_equal: differs ($part) on: $*"
      diff "$work/n.$part" "$work/j.$part" | head -5
      failures=$((failures + 1))
      return 0
    fi
  done
}

# The replay cases, each in a folder with the sounds it names (all seven by default).
for case in "$root"/tests/traces/*/; do
  [ -f "$case/script.txt" ] || continue
  dir=$work/case
  rm -rf "$dir" && mkdir -p "$dir/SOUND"
  if [ -f "$case/sounds.txt" ]; then
    while read -r name; do [ -z "$name" ] || cp "$root/SOUND/$name" "$dir/SOUND/"; done <"$case/sounds.txt"
  else
    cp "$root"/SOUND/*.WAV "$dir/SOUND/"
  fi
  same "$dir" /dev/null "$case/script.txt"
  same "$dir" "$case/script.txt"
done

# Scripts it can't read, and a usage error.
mkdir -p "$work/folder" "$work/game/SOUND"
cp "$root"/SOUND/*.WAV "$work/game/SOUND/"
same "$work/game" /dev/null "$work/folder"
same "$work/game" /dev/null "$work/none.txt"
same "$work/game" /dev/null /proc/self/mem
same "$work/game" "$work/folder"
same "$work/game" /dev/null a b

# Random scripts: most are games, some are refused at a line.
i=0
while [ "$i" -lt "$count" ]; do
  node "$root/web/tests/random_script.js" "$i" >"$work/random.txt"
  same "$work/game" /dev/null "$work/random.txt"
  i=$((i + 1))
done

if [ "$failures" -ne 0 ]; then
  echo "trace_equal: $failures differences"
  exit 1
fi
echo "trace_equal: native and Node agree on every case and $count random scripts"
