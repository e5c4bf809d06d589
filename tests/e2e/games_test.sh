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
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

# The program's working folder, with the repository's documents and sounds.
work="$tmp/work"
mkdir -p "$work/SOUND"
for f in README.TXT WHATSNEW.TXT; do [ -f "$root/$f" ] && cp "$root/$f" "$work/"; done
for s in START TEMPO GOT BLOCK BONUS BOMBED OVER; do
  cp "$root/SOUND/$s.WAV" "$work/SOUND/" || fail "SOUND/$s.WAV is missing"
done
(cd "$work" && exec "$binary") >"$tmp/out" 2>&1 &
app_pid=$!

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
