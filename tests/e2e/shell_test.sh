#!/bin/bash
# End-to-end test of the real program's shell under Xvfb, driven with xdotool.
#   shell_test.sh REPO_ROOT FLOEMARK_BINARY SCENARIO PROBE_BINARY
# SCENARIO is "startup" (splash, PLAY, a held key, drag, menu, F1, F2, Esc), "game" (power on
# shows the scores, SHIFT starts a game whose vulture flies 3400 ms later) or "missing-sound"
# (the error box of a missing SOUND/START.WAV before the splash, and the program going on).
# PROBE_BINARY is floemark-e2e-probe, which reads pixels of a window.
set -u
root=$1
binary=$2
scenario=$3
probe=$4
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/windows.sh"

stub_xdg_open

# ---- The working folder: the repository root, or a copy of it without SOUND/START.WAV ----
if [ "$scenario" != missing-sound ]; then
  work=$root
else
  work="$tmp/work"
  mkdir -p "$work"
  cp -r "$root/SOUND" "$root/README.TXT" "$root/WHATSNEW.TXT" "$work/"
  rm -f "$work/SOUND/START.WAV"
fi

(cd "$work" && exec "$binary") >"$tmp/out" 2>&1 &
app_pid=$!

# region X Y W H: the checksum of a rectangle of the console's client area.
region() { "$probe" "$console" "$@" | cut -d' ' -f1; }
changed() { [ "$(region "$1" "$2" "$3" "$4")" != "$5" ]; }

if [ "$scenario" = game ]; then
  wait_until 15 has splash_window || fail "no splash window"
  wait_until 10 has console_window || fail "no console window"
  console=$(console_window)
  xdotool mousemove $((389 + 122)) $((231 + 284)) click 1
  wait_until 10 at "$console" "141 190" || fail "PLAY: console at $(position "$console")"
  # The eight score places, both scores on both screens.
  slots="88,195 99,195 254,195 265,195 457,196 468,196 623,196 634,196"
  declare -A blank
  for s in $slots; do blank[$s]=$(region ${s%,*} ${s#*,} 7 11); done
  xdotool mousemove $((141 + 118)) $((190 + 334)) click 1
  for s in $slots; do
    wait_until 5 changed ${s%,*} ${s#*,} 7 11 "${blank[$s]}" || fail "power on: score place $s blank"
  done
  note "power on shows both scores on both screens"
  # The vulture's flight band over both screens, before and after the start delay.
  penguin_top() { region 91 76 121 19; }
  seal_top() { region 484 77 124 21; }
  before_p=$(penguin_top)
  before_s=$(seal_top)
  xdotool windowfocus "$console" key shift
  start=$(date +%s%N)
  wait_until 5 sh -c "[ \"\$('$probe' $console 91 76 121 19 | cut -d' ' -f1)\" != $before_p ] ||
    [ \"\$('$probe' $console 484 77 124 21 | cut -d' ' -f1)\" != $before_s ]" ||
    fail "SHIFT: no vulture set up"
  sleep 0.3
  set_p=$(penguin_top)
  set_s=$(seal_top)
  sleep 1.5
  [ "$(penguin_top)" = "$set_p" ] && [ "$(seal_top)" = "$set_s" ] ||
    fail "the vulture moved during the start delay"
  wait_until 8 sh -c "[ \"\$('$probe' $console 91 76 121 19 | cut -d' ' -f1)\" != $set_p ] ||
    [ \"\$('$probe' $console 484 77 124 21 | cut -d' ' -f1)\" != $set_s ]" ||
    fail "the vulture did not start to fly"
  elapsed=$((($(date +%s%N) - start) / 1000000))
  # Its first step comes one step (700 ms) after the 3400 ms start delay.
  [ $elapsed -ge 3900 ] || fail "the vulture flew after $elapsed ms, before the start delay"
  note "SHIFT starts a game; the vulture's first step after $elapsed ms"
  escape_ends_program "$console"
  note "Esc in the middle of a game ends the program with status 0"
  exit 0
fi

if [ "$scenario" = missing-sound ]; then
  wait_until 15 has other_titled || fail "no error box at start"
  box=$(other_titled | head -n1)
  has splash_window && fail "the splash is up before the error box is answered"
  note "error box before the splash"
  xdotool windowfocus "$box" key Return
  wait_until 10 has splash_window || fail "no splash after the error box"
  has other_titled && fail "error box still open"
  running || fail "the program did not go on"
  console=$(console_window)
  [ -n "$console" ] && at "$console" "-800 -450" || fail "console not at -800,-450"
  note "splash after the error box, the program goes on"
  splash=$(splash_window)
  read -r sx sy _ <<<"$(geometry "$splash")"
  xdotool mousemove $((sx + 122)) $((sy + 284)) click 1
  wait_until 10 at "$console" "141 190" || fail "PLAY did not centre the console"
  note "PLAY after the error"
  exit 0
fi

# ---- Start: only the splash on the screen, the console at -800, -450 ----
wait_until 15 has splash_window || fail "no splash window"
wait_until 10 has console_window || fail "no console window"
splash=$(splash_window)
console=$(console_window)
at "$splash" "389 231" || fail "splash not centred: $(geometry "$splash")"
at "$console" "-800 -450" || fail "console not at -800,-450: $(geometry "$console")"
sleep 0.5
for w in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
  [ $((w)) = $((splash)) ] && continue
  viewable "$w" && on_screen "$w" && fail "window $w is on the screen at start"
done
note "only the splash at start, console at -800,-450"

# ---- The menu's shortcuts belong to the console: F1 in the splash does nothing ----
xdotool windowfocus "$splash" key F1
sleep 0.5
has visible_named 'About the author...' && fail "F1 in the splash showed the about window"
note "F1 in the splash does nothing"

# ---- PLAY centres the console; the splash is gone ----
xdotool mousemove $((389 + 122)) $((231 + 284)) click 1
wait_until 10 at "$console" "141 190" || fail "PLAY: console at $(position "$console")"
wait_until 5 sh -c "! xwininfo -id $splash 2>/dev/null | grep -q IsViewable" || fail "splash still up after PLAY"
note "PLAY centres the console at 141,190"

# ---- A held key: the key handlers reach the game and its indicator's repaint the screen ----
# Puls_PenguinLeft (222, 313, 31 x 38) lies over the photographed key pressed in.
left_key() { "$probe" "$console" 222 313 31 38 | cut -d' ' -f1; }
at_rest=$(left_key)
[ -n "$at_rest" ] || fail "cannot read the console's pixels"
xdotool windowfocus "$console" keydown z
wait_until 5 sh -c "[ \"\$('$probe' $console 222 313 31 38 | cut -d' ' -f1)\" != $at_rest ]" ||
  fail "Z held: its key indicator did not hide"
# Held past the start of auto-repeat (660 ms), the key stays pressed in. (A repeat's release
# and press arrive together, so the dropping of the release is checked by app-tests.)
for i in $(seq 12); do
  sleep 0.1
  [ "$(left_key)" != "$at_rest" ] || fail "Z held: the indicator came back during auto-repeat"
done
xdotool keyup z
wait_until 5 sh -c "[ \"\$('$probe' $console 222 313 31 38 | cut -d' ' -f1)\" = $at_rest ]" ||
  fail "Z released: its key indicator did not come back"
note "a held key hides its indicator until it is released"

# ---- A click on the power switch reaches the game: the switch shows its "on" picture ----
power_switch() { "$probe" "$console" 104 320 28 28 | cut -d' ' -f1; }
off=$(power_switch)
xdotool mousemove $((141 + 118)) $((190 + 334)) click 1
wait_until 5 sh -c "[ \"\$('$probe' $console 104 320 28 28 | cut -d' ' -f1)\" != $off ]" ||
  fail "the power switch did not change its look"
note "a click on the power switch switches it"

# ---- A left-button drag on the photograph moves the window by the mouse's travel ----
xdotool mousemove 161 210 mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((161 + 10 * step)) $((210 + 7 * step)); sleep 0.05; done
xdotool mouseup 1
wait_until 5 at "$console" "201 232" || fail "drag: console at $(position "$console"), want 201 232"
xdotool mousemove 400 400 mousemove 420 430
sleep 0.3
at "$console" "201 232" || fail "moving without a button moved the window"
note "drag moves the console by the mouse's travel"

# ---- A right-click opens the popup menu at the mouse ----
xdotool mousemove 500 450 click 3
wait_until 5 has other_titled || fail "no popup menu after a right-click"
menu=$(other_titled | head -n1)
at "$menu" "500 450" || fail "menu at $(position "$menu"), want 500 450"
xdotool key Escape
wait_until 5 sh -c "! xwininfo -id $menu 2>/dev/null | grep -q IsViewable" || fail "menu did not close"
running || fail "Esc in the open menu ended the program"
note "right-click opens the menu"

# ---- F1 shows the one about window, however often it is pressed ----
for i in 1 2 3; do
  xdotool windowfocus "$console" key F1
  wait_until 5 has visible_named 'About the author...' || fail "F1 showed no about window"
done
[ "$(named 'About the author...' | wc -l)" = 1 ] || fail "more than one about window"
about=$(visible_named 'About the author...')
at "$about" "0 0" || fail "about window at $(position "$about")"
note "F1 shows one about window"

# ---- F2 hands README.TXT to the desktop ----
xdotool windowfocus "$console" key F2
wait_until 5 grep -q 'README.TXT$' "$tmp/opened" 2>/dev/null || fail "F2 opened nothing"
note "F2 opens README.TXT"

# ---- Esc ends the program with status 0 ----
xdotool windowfocus "$console" key Escape
wait_until 10 sh -c "! kill -0 $app_pid 2>/dev/null" || fail "Esc did not end the program"
wait "$app_pid"
status=$?
app_pid=""
[ $status = 0 ] || fail "exit status $status"
note "Esc ends the program with status 0"
