# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by the benchmarks after tests/e2e/session.sh and windows.sh: the time from the program's
# exec to its splash window mapped, as the X server tells it. xev stamps each event as it arrives
# (bash's own clock: no process started per line); polling for the window with xdotool or
# xwininfo would add their own tens of milliseconds to the figure.
#   exec_to_splash BINARY FOLDER "W H"
# starts BINARY in FOLDER (app_pid; its output in $tmp/out), waits for its W x H splash and sets
# splash_ms. KEEP_XEV=FILE keeps the X server's events, stamped.
exec_to_splash() {
  local binary=$1 folder=$2 size=$3 xev_pid splash mapped
  xev -root -event substructure 2>/dev/null \
    > >(while IFS= read -r line; do echo "$EPOCHREALTIME $line"; done >"$tmp/xev") &
  xev_pid=$!
  sleep 0.3  # xev's connection made
  (cd "$folder" && echo "$EPOCHREALTIME" >"$tmp/exec" && exec "$binary") >"$tmp/out" 2>&1 &
  app_pid=$!
  wait_until 20 has sized 'About Floemark...' "$size" || fail "no splash"
  splash=$(sized 'About Floemark...' "$size")
  kill "$xev_pid" && wait "$xev_pid" 2>/dev/null
  [ -n "${KEEP_XEV:-}" ] && cp "$tmp/xev" "$KEEP_XEV"
  # xev names the mapped window on the line after "MapNotify".
  mapped=$(awk -v want="window $splash," '/MapNotify/ { t = $1; next }
    t && index($0, want) { print t; exit } { t = "" }' "$tmp/xev")
  [ -n "$mapped" ] || fail "xev saw no MapNotify of the splash $splash"
  splash_ms=$(awk -v a="$(cat "$tmp/exec")" -v b="$mapped" 'BEGIN { printf "%.0f", (b - a) * 1000 }')
}
