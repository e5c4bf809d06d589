#!/bin/sh
# fuzz/run.sh SECONDS [TARGET...]: runs libFuzzer targets (wav, jpeg, script; all when none is
# named), one after another, each for SECONDS on its committed seed corpus with its dictionary.
# Build them first: cmake --preset fuzz && cmake --build --preset fuzz
# New inputs the fuzzer finds go to build-fuzz/corpus/TARGET (the committed seeds stay as they
# are), anything it finds to build-fuzz/findings/ (rerun one: build-fuzz/fuzz-TARGET FILE).
# Exits 1 when a target found something.
set -eu
cd "$(dirname "$0")/.."
# Paths handed to the fuzzer are absolute: the script target works in a scratch folder.
here=$(pwd)
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
[ $# -gt 0 ] || set -- wav jpeg script
mkdir -p build-fuzz/findings
status=0
for target in "$@"; do
  bin=build-fuzz/fuzz-$target
  [ -x "$bin" ] || { echo "fuzz: $bin is not built (cmake --build --preset fuzz)" >&2; exit 2; }
  mkdir -p "build-fuzz/corpus/$target"
  log=build-fuzz/findings/$target.log
  if "$bin" "$here/build-fuzz/corpus/$target" "$here/fuzz/corpus/$target" \
      -dict="$here/fuzz/$target.dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$here/build-fuzz/findings/$target-" >"$log" 2>&1; then
    result=ok
  else
    result=FOUND
    status=1
    tail -n 40 "$log" >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz $target: $result, ${runs:-?} inputs in ${seconds} s (${rate:-?}/s), log $log"
done
exit $status
