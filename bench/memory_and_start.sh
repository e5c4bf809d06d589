#!/bin/bash
# The program's resident memory and its start (run by hand, not a test):
#   bench/memory_and_start.sh [FLOEMARK_BINARY [RUNS [RATIO]]]
# (defaults: build/floemark, 5 runs, ratio 1). Each run starts the real program under an Xvfb of
# its own, sound on SDL's dummy driver, and prints the time from its exec to the splash window's
# MapNotify on the X server, its resident memory (VmRSS, and the peak VmHWM) a second after the
# splash, then in a one-player game that nobody plays (PLAY, the power switch, player 1's start
# key, 4 s). RATIO 2 runs it at QT_SCALE_FACTOR=2, to see what a dense screen costs. The last line
# gives the medians. KEEP_XEV=FILE keeps the X server's events of the last run, stamped.
set -u
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
root=$(realpath "$here/..")
binary=$(realpath "${1:-$root/build/floemark}")
runs=${2:-5}
ratio=${3:-1}
e2e="$root/tests/e2e"
export E2E_SCREEN=2048x1536
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/session.sh
source "$e2e/session.sh"
# shellcheck source=tests/e2e/windows.sh
source "$e2e/windows.sh"
# shellcheck source=bench/splash_clock.sh
source "$here/splash_clock.sh"
export SDL_AUDIODRIVER=dummy
unset QT_AUTO_SCREEN_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING
[ "$ratio" = 1 ] || export QT_SCALE_FACTOR=$ratio
# Device pixels of a point of a window in its own pixels.
dev() { awk -v v="$1" -v r="$ratio" 'BEGIN { printf "%d", v * r }'; }

work="$tmp/work"
mkdir -p "$work/SOUND"
cp "$root"/SOUND/*.WAV "$work/SOUND/"
kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$app_pid/status"; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

splash_size="$(dev 246) $(dev 306)"

: >"$tmp/starts" && : >"$tmp/splash_rss" && : >"$tmp/play_rss"
for ((run = 1; run <= runs; run++)); do
  exec_to_splash "$binary" "$work" "$splash_size"
  start_ms=$splash_ms
  splash=$(sized 'About Floemark...' "$splash_size")
  sleep 1
  splash_rss=$(kb VmRSS)
  splash_hwm=$(kb VmHWM)

  wait_until 10 has sized 'Floemark Simulator' "$(dev 741) $(dev 388)" || fail "no console window"
  console=$(sized 'Floemark Simulator' "$(dev 741) $(dev 388)")
  read -r sx sy _ <<<"$(geometry "$splash")"
  xdotool mousemove $((sx + $(dev 122))) $((sy + $(dev 284))) click 1
  sleep 1
  read -r cx cy _ <<<"$(geometry "$console")"
  xdotool mousemove $((cx + $(dev 118))) $((cy + $(dev 334))) click 1
  sleep 1
  xdotool keydown Shift_L sleep 0.09 keyup Shift_L
  sleep 4
  play_rss=$(kb VmRSS)
  printf "run %d: exec to splash %4d ms | RSS at the splash %5s MB (peak %5s) | in play %5s MB (%s anon, %s file) | peak %5s MB\n" \
    "$run" "$start_ms" "$(mb "$splash_rss")" "$(mb "$splash_hwm")" "$(mb "$play_rss")" \
    "$(mb "$(kb RssAnon)")" "$(mb "$(kb RssFile)")" "$(mb "$(kb VmHWM)")"
  echo "$start_ms" >>"$tmp/starts"
  echo "$splash_rss" >>"$tmp/splash_rss"
  echo "$play_rss" >>"$tmp/play_rss"

  kill "$app_pid" && wait "$app_pid" 2>/dev/null
  app_pid=""
done
# On a machine that others share, the fastest start is the one least disturbed by them.
printf "median of %d at ratio %s: exec to splash %s ms (fastest %s) | RSS at the splash %s MB | in play %s MB\n" \
  "$runs" "$ratio" "$(median <"$tmp/starts")" "$(sort -n "$tmp/starts" | head -n1)" \
  "$(mb "$(median <"$tmp/splash_rss")")" \
  "$(mb "$(median <"$tmp/play_rss")")"
