#!/bin/bash
# Runs a program against a sound server of its own with a null sink, ended afterwards: PulseAudio,
# or with --pipewire PipeWire with its PulseAudio server (tests/e2e/pulse.sh):
#   bench/with_pulseaudio.sh [--pipewire] build/floemark-bench --benchmark_filter=PlayCue
set -u
server=pulseaudio
if [ "${1:-}" = --pipewire ]; then
  server=pipewire
  shift
fi
dir=$(mktemp -d)
pulse="$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/pulse.sh"
trap 'bash "$pulse" stop "$dir"; rm -rf "$dir"' EXIT
bash "$pulse" start "$dir" "$server" || exit 1
eval "$(bash "$pulse" client "$dir")"
# A listener on the sink's monitor asking for 10 ms, as a desktop's sound card does: alone, a
# null sink renders its streams in blocks of two seconds.
parec -d floemark_test.monitor --latency-msec=10 >/dev/null &
listener=$!
"$@"
status=$?
kill "$listener"
exit $status
