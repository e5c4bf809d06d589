#!/bin/bash
# Whole games in the real program under Xvfb:
#   games_test.sh REPO_ROOT FLOEMARK_BINARY PLAY_BINARY SCENARIO [TRACE_BINARY FINAL_BINARY [SHOTS_DIR]]
# Starts an X server of its own and the program, clicks PLAY on the splash, then hands the
# console window to PLAY_BINARY (floemark-e2e-play), which plays SCENARIO through XTest and reads
# the LCD back from the X server.
# The whole games (one-player, two-players) are recorded with --record: the recording, replayed
# by TRACE_BINARY (floemark-trace), must leave the LCD the window showed at game over (as
# FINAL_BINARY reads it from the trace), and replay the same way twice.
# The docs' game screenshots come from the scenario "docs" (not a test), run by hand:
#   tests/e2e/games_test.sh . build/floemark build/floemark-e2e-play docs build/floemark-trace \
#     build/floemark-e2e-final docs
set -u
root=$(realpath "$1")
binary=$(realpath "$2")
play=$(realpath "$3")
scenario=$4
# The tools for the recording: only the whole games need them.
trace=${5:+$(realpath "$5")}
final=${6:+$(realpath "$6")}
shots=${7:+$(realpath "$7")}
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/windows.sh"

# The program's working folder, with the repository's documents and sounds.
work="$tmp/work"
mkdir -p "$work/SOUND"
for f in README.TXT WHATSNEW.TXT; do [ -f "$root/$f" ] && cp "$root/$f" "$work/"; done
for s in START TEMPO GOT BLOCK BONUS BOMBED OVER; do
  cp "$root/SOUND/$s.WAV" "$work/SOUND/" || fail "SOUND/$s.WAV is missing"
done
recording=()
case $scenario in
  one-player | two-players)
    recording=(--record "$tmp/game.rec")
    export E2E_FINAL_LCD="$tmp/window.lcd"
    ;;
esac
(cd "$work" && exec "$binary" "${recording[@]}") >"$tmp/out" 2>&1 &
app_pid=$!

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
[ ${#recording[@]} = 0 ] && exit 0

# ---- The recording replays the game the window played ----
[ -s "$tmp/window.lcd" ] || fail "the player left no description of the LCD"
# Written as it is played: the inputs are in the file while the program still runs.
grep -q '^[0-9]* down ' "$tmp/game.rec" || fail "the running game's recording holds no key press"
tail -n 1 "$tmp/game.rec" | grep -q ' end$' && fail "the recording ended before the program"
escape_ends_program
tail -n 1 "$tmp/game.rec" | grep -q '^[0-9][0-9]* end$' || fail "the recording has no end line"
note "recorded $(grep -c '^[0-9]' "$tmp/game.rec") events: $(grep -c ' click sound$' "$tmp/game.rec") sound switches"
(cd "$work" && "$trace" "$tmp/game.rec") >"$tmp/trace1" || fail "floemark-trace refused the recording"
(cd "$work" && "$trace" "$tmp/game.rec") >"$tmp/trace2" || fail "floemark-trace failed the second time"
cmp -s "$tmp/trace1" "$tmp/trace2" || fail "the recording replays differently the second time"
note "the recording replays to the same trace twice ($(wc -l <"$tmp/trace1") lines)"
"$final" "$root/assets" <"$tmp/trace1" >"$tmp/trace.lcd" || fail "the trace's LCD could not be read"
if ! cmp -s "$tmp/window.lcd" "$tmp/trace.lcd"; then
  echo "window: $(cat "$tmp/window.lcd")"
  echo "trace:  $(cat "$tmp/trace.lcd")"
  fail "the replayed recording ends on another LCD than the window's"
fi
note "the replay ends on the window's LCD: $(cat "$tmp/window.lcd")"
[ "$scenario" = one-player ] || exit 0

# ---- The window plays the recording back as it was played ----
# The person's keys during the replay change nothing; at its end the LCD is the game over's.
end_ms=$(tail -n 1 "$tmp/game.rec" | cut -d' ' -f1)
(cd "$work" && exec "$binary" --replay "$tmp/game.rec") >"$tmp/out" 2>&1 &
app_pid=$!
replay_started=$(date +%s%N)
wait_until 20 has console_window || fail "no console window for the replay"
console=$(console_window)
wait_until 10 centred || fail "the replay did not show the console at once"
for key in shift z c Left Right ctrl shift; do
  xdotool key --delay 60 "$key"
  sleep 0.4
done
left_ms=$((end_ms + 3000 - ($(date +%s%N) - replay_started) / 1000000))
[ $left_ms -gt 0 ] && sleep "$(awk -v ms=$left_ms 'BEGIN { print ms / 1000 }')"
"$play" "$console" "$root/assets" describe >"$tmp/replay.lcd" || fail "the replay's LCD could not be read"
if ! cmp -s "$tmp/window.lcd" "$tmp/replay.lcd"; then
  echo "played:   $(cat "$tmp/window.lcd")"
  echo "replayed: $(cat "$tmp/replay.lcd")"
  fail "the window's replay ends on another LCD than the game played"
fi
note "the window's replay, keys pressed during it, ends on the same LCD"
