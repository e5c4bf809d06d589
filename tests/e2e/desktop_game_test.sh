#!/bin/bash
# What a desktop game offers besides the handheld, tried on the real program under Xvfb:
#   desktop_game_test.sh REPO_ROOT FLOEMARK SHOT PROBE SCREEN_TOOL TRACE FINAL SCENARIO
# SCENARIO is one of
#   sizes            openbox on a 2223 x 1300 screen: Ctrl+= and Ctrl+- give the console at 2x
#                    and 3x, each equal to floemark-shot's picture at that scale inside the
#                    console's shape; Ctrl+0 the handheld's size; F11 the console at 3x centred
#                    on black over the whole screen; F12 a PNG equal to what the screen shows
#   play             the settings file gives the penguin A, J and L: they play, SHIFT does not;
#                    P holds the LCD for 5 s, P again moves it; the game recorded while it was
#                    paused replays in floemark-trace to the LCD the window shows; Ctrl+= is kept
#                    and the next run opens at 2x
#   damaged          a damaged settings file: one line on standard error, set aside, defaults
#   recording-stops  --record /dev/full: a notice in the window, and the program exits 1
#   trace-sounds     floemark-trace from a folder without SOUND/ names the sounds it lacks
# SHOT is floemark-shot, PROBE floemark-e2e-probe, SCREEN_TOOL floemark-e2e-screen, TRACE
# floemark-trace, FINAL floemark-e2e-final.
set -u
root=$(realpath "$1")
binary=$(realpath "$2")
shot=$(realpath "$3")
probe=$(realpath "$4")
screen_tool=$(realpath "$5")
trace=$(realpath "$6")
final=$(realpath "$7")
scenario=$8
assets="$root/assets"
[ "$scenario" = sizes ] && export E2E_SCREEN=2223x1300
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/windows.sh"
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

# The program's folder, its settings and its pictures folder are the test's own.
work="$tmp/work"
mkdir -p "$work/SOUND" "$tmp/config"
cp "$root/README.TXT" "$root/WHATSNEW.TXT" "$work/"
cp "$root"/SOUND/*.WAV "$work/SOUND/"
export XDG_CONFIG_HOME="$tmp/config" XDG_PICTURES_DIR="$tmp/pictures"
settings="$tmp/config/floemark/floemark.conf"
run_program() {
  (cd "$work" && exec "$binary" "$@") >"$tmp/out" 2>"$tmp/err" &
  app_pid=$!
}
# Windows are found inside a window manager's frames too.
window_lister=clients
# play: PLAY on the splash, centred on the screen; sets $console to the console of "W H".
play() {
  wait_until 15 has sized 'About Floemark...' "246 306" || fail "no splash"
  read -r sx sy _ <<<"$(geometry "$(sized 'About Floemark...' "246 306")")"
  xdotool mousemove $((sx + 122)) $((sy + 284)) click 1
  wait_until 10 has sized 'Floemark Simulator' "$1" || fail "PLAY: no console of $1"
  console=$(sized 'Floemark Simulator' "$1")
  sleep 0.5
}
# same_as_shot SCALE: the console window shows floemark-shot's panel at SCALE inside its shape.
same_as_shot() {
  read -r _ _ w h _ <<<"$(geometry "$console")"
  "$shot" "$tmp/shot-$1.ppm" --scale "$1" || fail "floemark-shot --scale $1"
  [ "$("$probe" "$console" 0 0 "$w" "$h" "$tmp/shot-$1.ppm")" = 0 ]
}
# lcd: the console's LCD as the screen shows it now (console at 1x).
lcd() {
  "$screen_tool" grab "$tmp/screen.png" || return 1
  read -r x y _ <<<"$(geometry "$console")"
  "$screen_tool" lcd "$tmp/screen.png" "$x" "$y" "$assets"
}
lcd_shows() { lcd | grep -q -- "$1"; }
ends_with() {
  xdotool windowfocus "$console" key Escape
  wait_until 10 sh -c "! kill -0 $app_pid 2>/dev/null" || fail "Esc did not end the program"
  wait "$app_pid"
  local status=$?
  app_pid=""
  [ $status = "$1" ] || fail "the program ended with status $status, not $1"
}

case $scenario in
sizes)
  start_openbox
  run_program
  play "741 388"
  [ -e "$settings" ] && fail "a settings file was written though nothing was changed"
  xdotool windowfocus --sync "$console"
  xdotool key ctrl+equal
  wait_until 10 has sized 'Floemark Simulator' "1482 776" || fail "Ctrl+=: no console at 2x"
  sleep 0.5
  same_as_shot 2 || fail "at 2x the console is not floemark-shot's panel at 2"
  note "Ctrl+= shows the console at 2x, as floemark-shot draws it at 2, pixel for pixel"
  xdotool key ctrl+equal
  wait_until 10 has sized 'Floemark Simulator' "2223 1164" || fail "Ctrl+=: no console at 3x"
  sleep 0.5
  same_as_shot 3 || fail "at 3x the console is not floemark-shot's panel at 3"
  note "Ctrl+= again: 3x, pixel for pixel"
  xdotool key ctrl+minus
  wait_until 10 has sized 'Floemark Simulator' "1482 776" || fail "Ctrl+-: not back at 2x"
  xdotool key ctrl+0
  wait_until 10 has sized 'Floemark Simulator' "741 388" || fail "Ctrl+0: not the handheld's size"
  sleep 0.5
  same_as_shot 1 || fail "back at 1x the console is not the handheld's panel"
  grep -q '^size=1$' "$settings" || fail "the size is not kept: $(cat "$settings" 2>&1)"
  note "Ctrl+- and Ctrl+0 go back; the size chosen is kept in the settings"

  xdotool key F11
  wait_until 10 has sized 'Floemark Simulator' "2223 1300" || fail "F11: no full-screen console"
  console=$(sized 'Floemark Simulator' "2223 1300")
  wait_until 5 at "$console" "0 0" || fail "full screen at $(position "$console")"
  sleep 0.5
  "$screen_tool" grab "$tmp/full.png" || fail "cannot grab the screen"
  [ "$("$screen_tool" within "$tmp/full.png" 0 68 "$tmp/shot-3.ppm" 3)" = 0 ] ||
    fail "full screen: the console at 3x is not centred at 0,68"
  read -r _ mean <<<"$("$probe" "$console" 0 0 2223 60)"
  read -r _ mean2 <<<"$("$probe" "$console" 0 1240 2223 60)"
  [ "$mean $mean2" = "0 0" ] || fail "full screen: above and below the console is not black"
  note "F11: the whole screen, the console at 3x centred on black"

  xdotool key F12
  wait_until 5 sh -c "ls '$tmp/pictures'/floemark-*.png >/dev/null 2>&1" || fail "F12 saved nothing"
  picture=$(ls "$tmp/pictures"/floemark-*.png)
  cp "$picture" "$tmp/screenshot.png"
  file "$picture" | grep -q '2223 x 1164' || fail "the screenshot is not 2223 x 1164: $(file "$picture")"
  [ "$("$screen_tool" within "$tmp/full.png" 0 68 "$picture")" = 0 ] ||
    fail "the screenshot differs from the screen in $("$screen_tool" within "$tmp/full.png" 0 68 "$picture") pixels"
  note "F12: $(basename "$picture"), the console as the screen shows it"
  xdotool key F11
  wait_until 10 has sized 'Floemark Simulator' "741 388" || fail "F11 again: not back at 1x"
  console=$(sized 'Floemark Simulator' "741 388")
  note "F11 again leaves full screen"
  xdotool key ctrl+equal
  wait_until 10 has sized 'Floemark Simulator' "1482 776" || fail "Ctrl+=: no console at 2x"
  console=$(sized 'Floemark Simulator' "1482 776")
  sleep 0.5
  # A click lands in the console's pixels, and what it changes is drawn at the window's scale.
  read -r cx cy _ <<<"$(geometry "$console")"
  xdotool mousemove $((cx + 236)) $((cy + 668)) click 1
  xdotool mousemove 2200 1290
  "$shot" "$tmp/all-2.ppm" --scale 2 --all || fail "floemark-shot --all failed"
  for slot in 88,195 99,195 254,195 265,195 457,196 468,196 623,196 634,196; do
    x=$((2 * ${slot%,*})) y=$((2 * ${slot#*,}))
    wait_until 5 sh -c "[ \"\$('$probe' $console $x $y 14 22 '$tmp/all-2.ppm')\" = 0 ]" ||
      fail "at 2x, power on: the score at $slot is not 15 as drawn at 2"
  done
  note "at 2x POWER is clicked in the console's pixels: 15 and 15, drawn at 2"
  ends_with 0
  ;;

play)
  mkdir -p "$(dirname "$settings")"
  printf '[keys]\npenguin-attack=65\npenguin-left=74\npenguin-right=76\n' >"$settings"
  run_program --record "$tmp/game.rec"
  play "741 388"
  read -r cx cy _ <<<"$(geometry "$console")"
  xdotool mousemove $((cx + 118)) $((cy + 334)) click 1
  xdotool mousemove 5 5
  wait_until 10 lcd_shows '^P=15 15 S=15 15 pos=0 0 |$' || fail "power on: the LCD shows $(lcd)"
  xdotool windowfocus --sync "$console" key shift
  sleep 2
  lcd_shows '^P=15 15 S=15 15 pos=0 0 |$' || fail "SHIFT still plays: the LCD shows $(lcd)"
  xdotool key a
  wait_until 10 lcd_shows 'pos=4 2 |.*Vulture' || fail "A does not start the game: $(lcd)"
  note "the penguin's chosen key A starts the game; the handheld's SHIFT does not"
  # The game takes no key in its start delay (3.4 s); right after it no bomb is near yet.
  # (Any other position than 4 was once taken for a step, and a penguin killed by a bomb
  # passed for one.)
  sleep 3.6
  xdotool key j
  wait_until 5 lcd_shows 'pos=3 ' || fail "J does not step the penguin from 4 to 3: $(lcd)"
  note "J steps the penguin"

  xdotool key p
  sleep 0.5
  "$screen_tool" grab "$tmp/paused.png"
  held=$(lcd)
  sleep 5
  "$screen_tool" grab "$tmp/later.png"
  [ "$("$screen_tool" differ "$tmp/paused.png" "$tmp/later.png" $((cx + 85)) $((cy + 75)) 560 137)" = 0 ] ||
    fail "the paused LCD changed within 5 s"
  note "paused: the LCD unchanged for 5 s ($held)"
  xdotool key p
  wait_until 10 sh -c "'$screen_tool' grab '$tmp/moved.png' && [ \"\$('$screen_tool' differ '$tmp/paused.png' '$tmp/moved.png' $((cx + 85)) $((cy + 75)) 560 137)\" != 0 ]" ||
    fail "P again: the LCD does not move"
  note "P again: the game moves on"
  sleep 2
  xdotool key p
  sleep 0.5
  last=$(lcd)
  xdotool key ctrl+equal
  wait_until 10 has sized 'Floemark Simulator' "1482 776" || fail "Ctrl+=: no console at 2x"
  console=$(sized 'Floemark Simulator' "1482 776")
  ends_with 0
  (cd "$work" && "$trace" "$tmp/game.rec") >"$tmp/trace" || fail "floemark-trace refused the recording"
  replayed=$("$final" "$assets" <"$tmp/trace")
  [ "$replayed" = "$last" ] || fail "the paused game replays to $replayed, the window showed $last"
  note "the recording of the paused game replays to the window's LCD: $last"
  grep -q '^size=2$' "$settings" && grep -q '^penguin-attack=65$' "$settings" ||
    fail "the settings were not kept: $(cat "$settings")"
  run_program
  play "1482 776"
  note "the next run keeps the size (2x) and the keys"
  ends_with 0
  ;;

damaged)
  mkdir -p "$(dirname "$settings")"
  printf '[window]\nsize=huge\n' >"$settings"
  run_program
  play "741 388"
  ends_with 0
  # The program's own lines: a sanitizer build adds, after a rule, the suppressions it used.
  sed '/^-\{20,\}$/,$d' "$tmp/err" >"$tmp/own_err"
  [ "$(wc -l <"$tmp/own_err")" = 1 ] && grep -q 'set aside' "$tmp/own_err" ||
    fail "standard error: $(cat "$tmp/err")"
  [ -e "$settings" ] && fail "the damaged file is still in use"
  grep -q huge "$settings.damaged" || fail "the damaged file was not set aside"
  note "a damaged settings file: $(cat "$tmp/err")"
  ;;

recording-stops)
  run_program --record /dev/full
  wait_until 15 has other_titled || fail "no notice in the window"
  note "the recording's failure is told in a window"
  play "741 388"
  ends_with 1
  grep -q 'the recording /dev/full stops here' "$tmp/err" || fail "stderr: $(cat "$tmp/err")"
  note "the program exits 1 and says why on standard error"
  ;;

trace-sounds)
  script="$root/tests/traces/computer-catch-by-step/script.txt"
  (cd "$work" && "$trace" "$script") >/dev/null 2>"$tmp/with" || fail "floemark-trace failed"
  [ -s "$tmp/with" ] && fail "with its sounds floemark-trace says: $(cat "$tmp/with")"
  mkdir -p "$tmp/bare"
  (cd "$tmp/bare" && "$trace" "$script") >/dev/null 2>"$tmp/without" ||
    fail "floemark-trace failed without the sounds"
  for s in START TEMPO GOT BLOCK BONUS BOMBED OVER; do
    grep -q "SOUND/$s.WAV" "$tmp/without" || fail "$s.WAV is not named: $(cat "$tmp/without")"
  done
  grep -q 'the replay takes the course of a console without these sounds' "$tmp/without" ||
    fail "no word of the other game: $(cat "$tmp/without")"
  note "without SOUND/ floemark-trace exits 0 and says: $(tail -n1 "$tmp/without")"
  ;;

*) fail "unknown scenario $scenario" ;;
esac
