#!/bin/bash
# A sound server of the caller's own that speaks PulseAudio's protocol, for the sound tests and
# benchmarks: PulseAudio itself, or PipeWire with its PulseAudio server as Debian 12's desktops
# run it (pipewire, wireplumber, pipewire-pulse).
#   pulse.sh start DIR [pulseaudio|pipewire]
#                          starts it with one null sink, "floemark_test" (44100 Hz, stereo, so
#                          the game's 48 kHz mono stream is converted as on most desktops), and
#                          waits until it answers with that sink as its default; its socket,
#                          runtime folders and logs are in DIR. PulseAudio's sink does no
#                          rewinds (PipeWire never rewinds): what its monitor has handed out is
#                          never mixed again, so a recording of the monitor is what the sink
#                          played, in order
#   pulse.sh stop DIR      ends it and waits until it has gone
#   pulse.sh restart DIR   stop, then start the same server: restarted under a running game
#   pulse.sh client DIR    prints the exports by which its clients find it, for eval: PULSE_SERVER
#                          and PULSE_CLIENTCONFIG (no autospawn: a client must never start a
#                          server of the machine's own configuration), and PIPEWIRE_RUNTIME_DIR,
#                          where PipeWire's own clients find PipeWire (and none with PulseAudio)
set -u
action=$1
dir=$(realpath -m "$2")

export PULSE_SERVER="unix:$dir/native" PULSE_CLIENTCONFIG="$dir/client.conf"

answers() { pactl info 2>/dev/null | grep -q '^Default Sink: floemark_test$'; }

# Everything the servers keep (cookies, state, sockets) stays in DIR, out of the person's.
environment() {
  export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" PULSE_RUNTIME_PATH="$dir/runtime"
  export PIPEWIRE_RUNTIME_DIR="$dir/runtime" XDG_CONFIG_HOME="$dir/home/.config"
  export XDG_STATE_HOME="$dir/home/.state" DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/bus"
}

# run NAME COMMAND...: starts a server process in a session of its own, its pid added to DIR/pids.
run() {
  local name=$1
  shift
  (environment && exec setsid "$@") >>"$dir/$name.log" 2>&1 </dev/null &
  echo $! >>"$dir/pids"
}

# A process that has ended may linger as a zombie until the machine's init reaps it.
running() { [ -e "/proc/$1" ] && ! grep -q '^[^)]*) Z' "/proc/$1/stat" 2>/dev/null; }

alive() {
  local pid
  for pid in $(cat "$dir/pids" 2>/dev/null); do running "$pid" || return 1; done
}

# wait_for SECONDS COMMAND...: while every server process lives.
wait_for() {
  local i limit=$(($1 * 20))
  shift
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    alive || return 1
    sleep 0.05
  done
  return 1
}

start_pulseaudio() {
  cat >"$dir/server.pa" <<EOF
load-module module-null-sink sink_name=floemark_test rate=44100 channels=2 norewinds=1
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/native
set-default-sink floemark_test
EOF
  # -n: none of the machine's own modules.
  run pulseaudio pulseaudio --daemonize=no -n -F "$dir/server.pa" --exit-idle-time=-1 \
    --use-pid-file=no --log-target=stderr
  wait_for 5 answers
}

start_pipewire() {
  # WirePlumber, which links the streams to the sinks, wants a session bus; a private one.
  run dbus dbus-daemon --session --address="unix:path=$dir/bus" --nofork --nopidfile
  wait_for 5 test -S "$dir/bus" || return 1
  run pipewire pipewire
  wait_for 5 test -S "$dir/runtime/pipewire-0" || return 1
  run wireplumber wireplumber
  sed "s|\"unix:native\"|\"unix:$dir/native\"|" /usr/share/pipewire/pipewire-pulse.conf \
    >"$dir/pipewire-pulse.conf"
  run pipewire-pulse pipewire-pulse -c "$dir/pipewire-pulse.conf"
  wait_for 5 pactl info >/dev/null 2>&1 || return 1
  pactl load-module module-null-sink sink_name=floemark_test rate=44100 channels=2 \
    >/dev/null || return 1
  # The default is WirePlumber's to keep: asked again until it has taken it.
  wait_for 5 eval 'pactl set-default-sink floemark_test 2>/dev/null && answers'
}

start() {
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  echo "autospawn = no" >"$dir/client.conf"
  rm -f "$dir/pids"
  local kind
  kind=$(cat "$dir/kind")
  command -v "$kind" >/dev/null || { echo "pulse.sh: $kind is not installed" >&2; return 1; }
  "start_$kind" && return 0
  echo "pulse.sh: $kind did not start; its logs:" >&2
  tail -n 20 "$dir"/*.log >&2
  stop
  return 1
}

stop() {
  [ -f "$dir/pids" ] || return 0
  local pid i
  # The last started first: PipeWire's PulseAudio server, the session manager, then PipeWire.
  for pid in $(tac "$dir/pids"); do
    kill "$pid" 2>/dev/null
    for ((i = 0; i < 100; i++)); do
      running "$pid" || break
      sleep 0.05
    done
    kill -9 "$pid" 2>/dev/null
  done
  rm -f "$dir/pids" "$dir/native" "$dir/bus" "$dir/runtime/pipewire-0"
}

case $action in
  start)
    mkdir -p "$dir"
    echo "${3:-pulseaudio}" >"$dir/kind"
    case $(cat "$dir/kind") in
      pulseaudio | pipewire) start ;;
      *)
        echo "pulse.sh: no sound server named $3" >&2
        exit 2
        ;;
    esac
    ;;
  stop) stop ;;
  restart) stop && start ;;
  client)
    echo "export PULSE_SERVER=unix:$dir/native PULSE_CLIENTCONFIG=$dir/client.conf" \
      "PIPEWIRE_RUNTIME_DIR=$dir/runtime"
    ;;
  *)
    echo "usage: pulse.sh start DIR [pulseaudio|pipewire] | stop DIR | restart DIR | client DIR" >&2
    exit 2
    ;;
esac
