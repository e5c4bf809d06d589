#!/bin/bash
# A PulseAudio server of the caller's own, for the sound tests and benchmarks:
#   pulse.sh start DIR     starts it with one null sink, "floemark_test" (44100 Hz, stereo, so
#                          the game's 48 kHz mono stream is converted as on most desktops), and
#                          waits until it answers; its socket, runtime folder and log are in DIR.
#                          No rewinds: what its monitor has handed out is never mixed again, so
#                          a recording of the monitor is what the sink played, in order
#   pulse.sh stop DIR      ends it and waits until it has gone
#   pulse.sh restart DIR   stop, then start: the sound server restarted under a running game
# Its clients find it with   PULSE_SERVER=unix:DIR/native PULSE_CLIENTCONFIG=DIR/client.conf
# (no autospawn: a client must never start a server of the machine's own configuration).
set -u
action=$1
dir=$(realpath -m "$2")

export PULSE_SERVER="unix:$dir/native" PULSE_CLIENTCONFIG="$dir/client.conf"

answers() { pactl info 2>/dev/null | grep -q '^Default Sink: floemark_test$'; }

start() {
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  echo "autospawn = no" >"$dir/client.conf"
  cat >"$dir/server.pa" <<EOF
load-module module-null-sink sink_name=floemark_test rate=44100 channels=2 norewinds=1
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/native
set-default-sink floemark_test
EOF
  # -n: none of the machine's own modules; HOME and the runtime folders keep its cookie and
  # state out of the person's.
  HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" PULSE_RUNTIME_PATH="$dir/runtime" \
    setsid pulseaudio --daemonize=no -n -F "$dir/server.pa" --exit-idle-time=-1 \
    --use-pid-file=no --log-target=stderr >>"$dir/log" 2>&1 </dev/null &
  echo $! >"$dir/pid"
  local i
  for ((i = 0; i < 100; i++)); do
    answers && return 0
    kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
    sleep 0.05
  done
  echo "pulse.sh: PulseAudio did not start; its log:" >&2
  cat "$dir/log" >&2
  return 1
}

stop() {
  [ -f "$dir/pid" ] || return 0
  local pid i
  pid=$(cat "$dir/pid")
  kill "$pid" 2>/dev/null
  for ((i = 0; i < 100; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null
  rm -f "$dir/pid" "$dir/native"
}

case $action in
  start) start ;;
  stop) stop ;;
  restart) stop && start ;;
  *)
    echo "usage: pulse.sh start|stop|restart DIR" >&2
    exit 2
    ;;
esac
