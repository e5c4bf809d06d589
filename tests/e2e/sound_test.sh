#!/bin/bash
# The game's sound on a real sound server:
#   sound_test.sh REPO_ROOT FLOEMARK_BINARY SOUND_BINARY pulseaudio|pipewire
# Starts a sound server of its own with one null sink (pulse.sh: PulseAudio, or PipeWire with its
# PulseAudio server), checks that it runs and has the sink, then plays a one-player game in the
# real program under Xvfb (games_test.sh) with SOUND_BINARY (floemark-e2e-sound), which records
# the sink's monitor, restarts the server in the middle of the game, and reads the game's streams
# with pactl. The checks are the same on both servers.
set -u
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
server=${4:-pulseaudio}
pulse_dir=$(mktemp -d)
trap 'bash "$here/pulse.sh" stop "$pulse_dir"; rm -rf "$pulse_dir"' EXIT
tools=(pactl "$server")
[ "$server" = pipewire ] && tools+=(pipewire-pulse wireplumber dbus-daemon)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
bash "$here/pulse.sh" start "$pulse_dir" "$server" ||
  { echo "FAIL: $server did not start" >&2; exit 1; }
eval "$(bash "$here/pulse.sh" client "$pulse_dir")"
export E2E_PULSE_SH="$here/pulse.sh" E2E_PULSE_DIR="$pulse_dir"
# The server that answers is the test's own, of the kind asked for, with the null sink and its
# monitor; nothing else plays to it.
pactl info | grep -qx "Server String: unix:$pulse_dir/native" ||
  { echo "FAIL: another sound server answers: $(pactl info | grep '^Server String')" >&2; exit 1; }
name=$(pactl info | sed -n 's/^Server Name: //p')
case $server:$name in
  pulseaudio:pulseaudio | pipewire:*PipeWire*) ;;
  *) echo "FAIL: the server that answers is \"$name\", not $server" >&2; exit 1 ;;
esac
pactl list short sinks | grep -q $'\tfloemark_test\t' || { echo "FAIL: no null sink" >&2; exit 1; }
pactl list short sources | grep -q $'\tfloemark_test.monitor\t' ||
  { echo "FAIL: the null sink has no monitor" >&2; exit 1; }
[ -z "$(pactl list short sink-inputs)" ] || { echo "FAIL: the sink plays already" >&2; exit 1; }
echo "ok: $name runs with the null sink floemark_test and its monitor"
bash "$here/games_test.sh" "$1" "$2" "$3" sound
