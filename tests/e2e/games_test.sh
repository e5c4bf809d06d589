#!/bin/bash
# Whole games in the real program under Xvfb:
#   games_test.sh REPO_ROOT FLOEMARK_BINARY PLAY_BINARY SCENARIO [SHOTS_DIR]
# Starts an X server of its own and the program, clicks PLAY on the splash, then hands the
# console window to PLAY_BINARY (floemark-e2e-play), which plays SCENARIO through XTest and reads
# the LCD back from the X server.
# The docs' game screenshots come from the scenario "docs" (not a test), run by hand:
#   tests/e2e/games_test.sh . build/floemark build/floemark-e2e-play docs docs
set -u
root=$(realpath "$1")
binary=$(realpath "$2")
play=$(realpath "$3")
scenario=$4
shots=${5:+$(realpath "$5")}
tmp=$(mktemp -d)
app_pid=""
xvfb_pid=""

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- program output:" >&2
  cat "$tmp/out" >&2 2>/dev/null
  exit 1
}

wait_until() {
  local limit=$(($1 * 10)); shift
  local i
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
wait_until 10 test -s "$tmp/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$tmp/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$tmp/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The program's working folder: the repository's sounds, or silent stand-ins for missing ones.
work="$tmp/work"
mkdir -p "$work/SOUND"
for f in README.TXT WHATSNEW.TXT; do [ -f "$root/$f" ] && cp "$root/$f" "$work/"; done
for s in START TEMPO GOT BLOCK BONUS BOMBED OVER; do
  if [ -f "$root/SOUND/$s.WAV" ]; then cp "$root/SOUND/$s.WAV" "$work/SOUND/"
  else sox -n -r 22050 -c 1 -b 16 "$work/SOUND/$s.WAV" synth 0.2 sine 440 vol 0 || fail "sox"; fi
done
(cd "$work" && exec "$binary") >"$tmp/out" 2>&1 &
app_pid=$!

geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} /Map State/{m=$3} END{print x, y, w, h, m}'
}
named() {
  xwininfo -root -children 2>/dev/null | awk -v want="\"$1\":" '$2 " " $3 " " $4 == want ||
    $2 " " $3 == want || $2 == want {print $1}'
}
console_window() {
  local w
  for w in $(named 'Floemark Simulator'); do
    [ "$(geometry "$w" | cut -d' ' -f3,4)" = "741 388" ] && echo "$w" && return
  done
}
splash_window() {
  local w
  for w in $(named 'About Floemark...'); do
    [ "$(geometry "$w" | cut -d' ' -f5)" = IsViewable ] && echo "$w" && return
  done
}
has() { [ -n "$("$@")" ]; }
centred() { [ "$(geometry "$console" | cut -d' ' -f1,2)" = "141 190" ]; }

wait_until 20 has splash_window || fail "no splash window"
wait_until 10 has console_window || fail "no console window"
splash=$(splash_window)
console=$(console_window)
read -r sx sy _ <<<"$(geometry "$splash")"
xdotool mousemove $((sx + 122)) $((sy + 284)) click 1
wait_until 10 centred || fail "PLAY did not centre the console"
sleep 0.5  # the console takes the focus as it is activated

"$play" "$console" "$root/assets" "$scenario" $shots
status=$?
kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the game"
[ $status = 0 ] || fail "scenario $scenario"
