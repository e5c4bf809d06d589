#!/bin/bash
# What a game costs the machine, on each sound server (run by hand, not a test):
#   bench/play_cost.sh [--listener MS] [FLOEMARK_BINARY [SECONDS [SERVER...]]]
# (defaults: build/floemark, 20 s, pulseaudio pipewire). For each server it starts the server with
# a null sink (tests/e2e/pulse.sh), which then runs at the latency the game's stream asks for, as
# a desktop's sound card does with the game alone playing; --listener adds a recorder of the
# sink's monitor asking for MS, like a program that wants low latency playing meanwhile (its
# cost is the server's, and counted there). Then the real program under Xvfb: the time from its
# exec to the splash on screen (bench/splash_clock.sh); then, in the window, a recording of a
# one-player game that nobody plays, the power switched off at its end: the same game, sounds
# and all, at every run (a game played live draws its bombs from the time of day, and how many
# long sounds fall into the measured seconds would differ). For the play and for the power off,
# over SECONDS each: the program's CPU (of one core) and wakeups a second (every thread's context
# switches in /proc), the sound server's CPU (every process of it), the program's resident
# memory, and the game's streams on the server at the end.
set -u
listener_ms=""
if [ "${1:-}" = --listener ]; then
  listener_ms=$2
  shift 2
fi
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
root=$(realpath "$here/..")
binary=$(realpath "${1:-$root/build/floemark}")
seconds=${2:-20}
shift $(($# > 2 ? 2 : $#))
servers=("$@")
[ ${#servers[@]} = 0 ] && servers=(pulseaudio pipewire)
e2e="$root/tests/e2e"
# shellcheck source=tests/e2e/session.sh
source "$e2e/session.sh"
# shellcheck source=tests/e2e/windows.sh
source "$e2e/windows.sh"
# shellcheck source=bench/splash_clock.sh
source "$here/splash_clock.sh"
pulse_dir=""
listener=""
stop_server() {
  [ -n "$listener" ] && kill "$listener" 2>/dev/null
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  app_pid=""
  listener=""
  [ -n "$pulse_dir" ] && bash "$e2e/pulse.sh" stop "$pulse_dir" && rm -rf "$pulse_dir"
  pulse_dir=""
}
trap 'stop_server; cleanup' EXIT

work="$tmp/work"
mkdir -p "$work/SOUND"
cp "$root"/SOUND/*.WAV "$work/SOUND/"
cp "$root"/README.TXT "$root"/WHATSNEW.TXT "$work/" 2>/dev/null
hz=$(getconf CLK_TCK)

# CPU ticks of the processes named, threads included.
ticks() {
  local pid sum=0
  for pid in "$@"; do
    sum=$((sum + $(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)))
  done
  echo $sum
}
# Context switches of each thread of the process: a line "thread switches" each.
switches() {
  local task
  for task in /proc/"$1"/task/*; do
    awk -v t="${task##*/}" '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print t, n + 0 }' \
      "$task/status" 2>/dev/null
  done
}
# The switches between two of those lists: a thread started meanwhile counts from nothing, one
# that ended meanwhile (Qt's pooled threads end after 30 s idle) leaves out only its last few.
switched() {
  awk 'NR == FNR { before[$1] = $2; next } { n += $2 - before[$1] } END { print n + 0 }' "$1" "$2"
}
threads() { ls /proc/"$1"/task | wc -l; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# measure LABEL: the figures of the next SECONDS.
measure() {
  local t0 t1 a0 a1 s0 s1 ms
  local server_pids
  server_pids=$(cat "$pulse_dir/pids")
  t0=$(now_ms) a0=$(ticks "$app_pid")
  switches "$app_pid" >"$tmp/switches0"
  # shellcheck disable=SC2086
  s0=$(ticks $server_pids)
  sleep "$seconds"
  t1=$(now_ms) a1=$(ticks "$app_pid")
  switches "$app_pid" >"$tmp/switches1"
  # shellcheck disable=SC2086
  s1=$(ticks $server_pids)
  ms=$((t1 - t0))
  awk -v label="$1" -v server="$server" -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v w="$(switched "$tmp/switches0" "$tmp/switches1")" \
    -v ms=$ms -v hz="$hz" -v rss="$(awk '/^VmRSS/ { print $2 }' "/proc/$app_pid/status")" \
    -v threads="$(threads "$app_pid")" -v streams="$(pactl list short sink-inputs | wc -l)" \
    'BEGIN {
      game = a * 100000 / hz / ms; snd = s * 100000 / hz / ms
      printf "%-10s %-9s game %5.2f%% CPU %6.1f wakeups/s (%d threads) | server %5.2f%% CPU | " \
        "together %5.2f%% | RSS %5.1f MB | streams %d\n",
        server, label, game, w * 1000 / ms, threads, snd, game + snd, rss / 1024, streams
    }'
}

for server in "${servers[@]}"; do
  pulse_dir=$(mktemp -d)
  bash "$e2e/pulse.sh" start "$pulse_dir" "$server" || fail "$server did not start"
  eval "$(bash "$e2e/pulse.sh" client "$pulse_dir")"
  if [ -n "$listener_ms" ]; then
    parec -d floemark_test.monitor --latency-msec="$listener_ms" >/dev/null &
    listener=$!
  fi

  exec_to_splash "$binary" "$work" "246 306"
  printf "%-10s exec to the splash on screen: %d ms\n" "$server" "$splash_ms"
  kill "$app_pid" && wait "$app_pid" 2>/dev/null

  # The game: the power on, player 1's start key (left Shift), the start jingle (3 s), SECONDS
  # measured, the power off, three seconds for the stream to close, SECONDS measured.
  off_ms=$((5000 + seconds * 1000))
  printf 'clock 12:00:00.000\n0 click power\n500 down SHIFT\n590 up SHIFT\n%d click power\n%d end\n' \
    "$off_ms" $((off_ms + 5000 + seconds * 1000)) >"$tmp/unplayed.rec"
  (cd "$work" && exec "$binary" --replay "$tmp/unplayed.rec") >"$tmp/out" 2>&1 &
  app_pid=$!
  wait_until 10 has console_window || fail "no console window"
  shown=$(now_ms)
  sleep 4.5
  measure play
  sleep "$(awk -v ms=$((shown + off_ms + 3000 - $(now_ms))) 'BEGIN { print ms / 1000 }')"
  measure "power off"
  stop_server
done
