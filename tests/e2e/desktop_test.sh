#!/bin/bash
# The real program on the desktops people run it on:
#   desktop_test.sh REPO_ROOT FLOEMARK_BINARY SCREEN_TOOL PLAY_TOOL SCENARIO
# SCENARIO is
#   openbox-close   Xvfb with openbox: only the splash at start, framed and centred, no pixel of
#                   the console; closing the splash through the window manager centres the
#                   console, whose rounded corners show the desktop; a drag and Esc
#   openbox-play    the same desktop: PLAY centres the console, F1 puts the about window's
#                   frame in the screen's corner, a drag, Esc
#   weston-wayland  weston (X11 back end) with the program on Wayland: the splash, PLAY shows the
#                   console with clear corners, the power click and SHIFT reach the game, all
#                   read back from the compositor's screenshots
#   weston-xwayland the same with the program on weston's Xwayland
#   weston-xwayland-drag
#                   on weston's Xwayland a drag on the photograph moves the console: weston's
#                   window manager does the move, as it ignores the program's own
#   two-monitors    Xorg with the dummy driver, a 1024 x 600 monitor at 0,0 and the primary
#                   1920 x 1080 one at +1024+0: splash, console and about window on the primary
#   layout-ru, layout-de, layout-fr
#                   the keymap switched to that layout alone; the penguin steps with the keys
#                   of its letters (played by PLAY_TOOL)
# SCREEN_TOOL is floemark-e2e-screen, PLAY_TOOL floemark-e2e-play.
set -u
root=$(realpath "$1")
binary=$(realpath "$2")
screen_tool=$(realpath "$3")
play=$(realpath "$4")
scenario=$5
assets="$root/assets"
[ "$scenario" = two-monitors ] && session_server=xorg-dummy
# In a sanitizer build: on Wayland a library is unloaded before the exit with a small leak of
# its own that the fast unwinder, stopping in the unloaded code, cannot name; the full unwinder
# finds the suppressed desktop library beneath it. A build without sanitizers ignores this.
[ "$scenario" = weston-wayland ] &&
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

# The program's working folder, with the repository's documents and sounds.
work="$tmp/work"
mkdir -p "$work/SOUND"
cp "$root/README.TXT" "$root/WHATSNEW.TXT" "$work/" 2>/dev/null
for s in START TEMPO GOT BLOCK BONUS BOMBED OVER; do
  cp "$root/SOUND/$s.WAV" "$work/SOUND/" || fail "SOUND/$s.WAV is missing"
done
# run_program [VAR=VALUE...]: starts the program in its folder with the given environment.
run_program() {
  (cd "$work" && exec env "$@" "$binary") >"$tmp/out" 2>&1 &
  app_pid=$!
}
escape_ends_it() {
  escape_ends_program
  note "Esc ends the program with status 0"
}
# drag_console WINDOW: a left-button drag on the photograph moves the console by the travel.
drag_console() {
  read -r x y _ <<<"$(geometry "$1")"
  xdotool mousemove $((x + 20)) $((y + 20)) mousedown 1
  for step in 1 2 3 4 5 6; do
    xdotool mousemove $((x + 20 + 10 * step)) $((y + 20 + 7 * step))
    sleep 0.05
  done
  xdotool mouseup 1
  wait_until 5 at "$1" "$((x + 60)) $((y + 42))" ||
    fail "drag: console at $(position "$1"), want $((x + 60)) $((y + 42))"
  note "a drag moves the console by the mouse's travel"
}

case $scenario in
openbox-close | openbox-play)
  start_openbox
  grab() { "$screen_tool" grab "$tmp/$1.png" || fail "cannot grab the screen"; }
  grab desktop
  run_program
  splash_viewable() { for w in $(clients 'About Floemark...'); do viewable "$w" && echo "$w"; done; }
  wait_until 15 has splash_viewable || fail "no splash"
  splash=$(splash_viewable)
  wait_until 5 frame_of "$splash" >/dev/null || fail "openbox reports no frame round the splash"
  sleep 0.5  # whatever else would show, has shown
  read -r fx fy fw fh <<<"$(frame_of "$splash")"
  read -r _ _ cw ch _ <<<"$(geometry "$splash")"
  [ "$cw $ch" = "246 306" ] || fail "splash client area $cw x $ch"
  [ "$fx $fy" = "$(centred_on 0 0 1024 768 "$fw" "$fh")" ] ||
    fail "framed splash $fw x $fh at $fx,$fy, not centred"
  note "the framed splash ($fw x $fh round a 246 x 306 client area) is centred at $fx,$fy"
  console=$(clients 'Floemark Simulator' | while read -r w; do
    [ "$(geometry "$w" | cut -d' ' -f3,4)" = "741 388" ] && echo "$w"; done | head -n1)
  [ -n "$console" ] && viewable "$console" && fail "the console is mapped before PLAY"
  grab start
  others=$("$screen_tool" outside "$tmp/start.png" "$fx" "$fy" "$fw" "$fh")
  [ "$others" = 0 ] || fail "$others pixels besides the splash are on the screen at start"
  note "at start only the splash is on the screen: no pixel of the console"
  if [ "$scenario" = openbox-close ]; then
    wmctrl -c 'About Floemark...' || fail "wmctrl cannot ask openbox to close the splash"
  else
    read -r sx sy _ <<<"$(geometry "$splash")"
    xdotool mousemove $((sx + 122)) $((sy + 284)) click 1
  fi
  wait_until 10 has client_sized 'Floemark Simulator' '741 388' || fail "no console after PLAY"
  console=$(client_sized 'Floemark Simulator' '741 388')
  wait_until 10 viewable "$console" || fail "the console did not show"
  wait_until 5 at "$console" "141 190" || fail "console at $(position "$console"), want 141 190"
  viewable "$splash" && fail "the splash is still up"
  [ "$scenario" = openbox-close ] && note "closing the splash through openbox centres the console"
  [ "$scenario" = openbox-play ] && note "PLAY centres the console"
  sleep 0.3
  grab played
  for corner in "141 190" "879 190" "141 575" "879 575"; do
    read -r x y <<<"$corner"
    [ "$("$screen_tool" differ "$tmp/desktop.png" "$tmp/played.png" "$x" "$y" 3 3)" = 0 ] ||
      fail "the console's corner at $x,$y hides the desktop"
  done
  [ "$("$screen_tool" differ "$tmp/desktop.png" "$tmp/played.png" 510 380 3 3)" = 9 ] ||
    fail "the console's middle shows the desktop"
  note "the console's rounded corners show the desktop"
  if [ "$scenario" = openbox-play ]; then
    xdotool mousemove 500 400 click 1  # the console has the focus
    xdotool key F1
    about_viewable() { for w in $(clients 'About the author...'); do viewable "$w" && echo "$w"; done; }
    wait_until 5 has about_viewable || fail "F1 showed no about window"
    about=$(about_viewable)
    wait_until 5 frame_of "$about" >/dev/null || fail "openbox reports no frame round the about window"
    read -r ax ay _ <<<"$(frame_of "$about")"
    [ "$ax $ay" = "0 0" ] || fail "the about window's frame at $ax,$ay"
    note "the about window's frame opens in the screen's top-left corner"
    xdotool mousemove 500 400 click 1
  fi
  drag_console "$console"
  escape_ends_it
  ;;

weston-xwayland-drag)
  start_weston --xwayland
  xw=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$tmp/weston.log" | head -n1)
  [ -n "$xw" ] || fail "weston started no Xwayland"
  run_program QT_QPA_PLATFORM=xcb DISPLAY="$xw"
  wait_until 20 seen splash || fail "no splash on weston's screen"
  read -r sx sy <<<"$(find_on_shot splash)"
  weston_pointer_sync
  weston_click $((sx + 122)) $((sy + 284))
  wait_until 10 seen console || fail "PLAY: no console on weston's screen"
  read -r cx cy <<<"$(find_on_shot console)"
  [ "$cx $cy" = "141 190" ] || fail "console at $cx,$cy, want 141,190"
  xdotool mousemove $((cx + 20)) $((cy + 20))
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  for step in 1 2 3 4 5 6; do
    xdotool mousemove $((cx + 20 + 10 * step)) $((cy + 20 + 7 * step))
    sleep 0.1
  done
  sleep 0.3
  xdotool mouseup 1
  moved() { shot && [ "$(find_on_shot console)" = "$((cx + 60)) $((cy + 42))" ]; }
  wait_until 10 moved || fail "drag: the console is at $(find_on_shot console), want $((cx + 60)) $((cy + 42))"
  note "a drag moves the console on weston's Xwayland by the mouse's travel"
  xdotool mousemove $((cx + 300)) $((cy + 200)) click 1
  sleep 0.3
  escape_ends_it
  ;;

weston-wayland | weston-xwayland)
  if [ "$scenario" = weston-xwayland ]; then start_weston --xwayland; else start_weston ""; fi
  if [ "$scenario" = weston-wayland ]; then
    run_program QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$wayland_socket"
  else
    xw=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$tmp/weston.log" | head -n1)
    [ -n "$xw" ] || fail "weston started no Xwayland"
    run_program QT_QPA_PLATFORM=xcb DISPLAY="$xw"
  fi
  wait_until 20 seen splash || fail "no splash on weston's screen"
  find_on_shot console >/dev/null && fail "the console is on the screen before PLAY"
  read -r sx sy <<<"$(find_on_shot splash)"
  note "only the splash on weston's screen, at $sx,$sy"
  weston_pointer_sync
  weston_click $((sx + 122)) $((sy + 284))
  wait_until 10 seen console || fail "PLAY: no console on weston's screen"
  read -r cx cy <<<"$(find_on_shot console)"
  wait_until 5 not_seen splash || fail "the splash is still on the screen after PLAY"
  note "PLAY shows the console at $cx,$cy and the splash is gone"
  if [ "$scenario" = weston-xwayland ]; then
    # Xwayland's X screen is weston's output: PLAY's arithmetic places the console.
    [ "$cx $cy" = "141 190" ] || fail "console at $cx,$cy, want 141,190"
    note "on Xwayland the console is centred"
  fi
  for corner in "$cx $cy" "$((cx + 738)) $cy" "$cx $((cy + 385))" "$((cx + 738)) $((cy + 385))"; do
    read -r x y <<<"$corner"
    [ "$("$screen_tool" differ "$tmp/desktop.png" "$tmp/shot.png" "$x" "$y" 3 3)" = 0 ] ||
      fail "the console's corner at $x,$y hides the desktop"
  done
  note "the console's rounded corners show weston's desktop"
  lcd_on_shot "$cx" "$cy" | grep -q '^P=-1 -1 S=-1 -1 pos=0 0 |$' ||
    fail "the LCD is not blank before power-on: $(lcd_on_shot "$cx" "$cy")"
  weston_click $((cx + 118)) $((cy + 334))
  wait_until 10 lcd_shows "$cx" "$cy" '^P=15 15 S=15 15 pos=0 0 |$' ||
    fail "power on: the LCD shows $(lcd_on_shot "$cx" "$cy")"
  note "the power click reaches the game: 15 and 15 on both screens"
  xdotool key shift
  wait_until 10 lcd_shows "$cx" "$cy" '^P=15 15 S=15 15 pos=4 2 |.*Vulture' ||
    fail "SHIFT: the LCD shows $(lcd_on_shot "$cx" "$cy")"
  note "SHIFT reaches the game: the players and the vulture of a new game"
  cp "$tmp/shot.png" "$tmp/game.png"
  escape_ends_it
  ;;

two-monitors)
  xrandr --addmode DUMMY1 1024x600 && xrandr --fb 2944x1080 &&
    xrandr --output DUMMY0 --mode 1920x1080 --pos 1024x0 --primary \
      --output DUMMY1 --mode 1024x600 --pos 0x0 || fail "xrandr cannot lay out two monitors"
  screens=$("$screen_tool" screens | sort)
  [ "$screens" = "$(printf '1024x600+0+0\n1920x1080+1024+0 primary')" ] ||
    fail "Qt sees the screens as: $screens"
  note "Qt sees two screens, the primary 1920 x 1080 at +1024+0"
  primary="1024 0 1920 1080"
  run_program
  splash_viewable() { for w in $(clients 'About Floemark...'); do viewable "$w" && echo "$w"; done; }
  wait_until 15 has splash_viewable || fail "no splash"
  splash=$(splash_viewable)
  wait_until 10 has client_sized 'Floemark Simulator' '741 388' || fail "no console window"
  console=$(client_sized 'Floemark Simulator' '741 388')
  read -r x y w h _ <<<"$(geometry "$splash")"
  [ "$x $y" = "$(centred_on $primary "$w" "$h")" ] || fail "splash at $x,$y"
  within "$x" "$y" "$w" "$h" $primary || fail "the splash is not within the primary monitor"
  at "$console" "-800 -450" || fail "console at $(position "$console") before PLAY"
  note "the splash is centred on the primary monitor, at $x,$y"
  xdotool mousemove $((x + 122)) $((y + 284)) click 1
  wait_until 10 at "$console" "$(centred_on $primary 741 388)" ||
    fail "PLAY: console at $(position "$console")"
  read -r x y w h _ <<<"$(geometry "$console")"
  within "$x" "$y" "$w" "$h" $primary || fail "the console is not within the primary monitor"
  note "PLAY centres the console on the primary monitor, at $x,$y"
  xdotool windowfocus "$console" key F1
  about_viewable() { for w in $(clients 'About the author...'); do viewable "$w" && echo "$w"; done; }
  wait_until 5 has about_viewable || fail "F1 showed no about window"
  at "$(about_viewable)" "1024 0" || fail "about window at $(position "$(about_viewable)")"
  note "the about window opens in the primary monitor's top-left corner"
  xdotool windowfocus "$console"
  escape_ends_it
  ;;

layout-ru | layout-de | layout-fr)
  layout=${scenario#layout-}
  case $layout in
    ru) set_layout ru AB01 Cyrillic_ya ;;
    de) set_layout de AD06 z ;;
    fr) set_layout fr AD02 z ;;
  esac
  run_program
  splash_viewable() { for w in $(clients 'About Floemark...'); do viewable "$w" && echo "$w"; done; }
  wait_until 15 has splash_viewable || fail "no splash"
  wait_until 10 has client_sized 'Floemark Simulator' '741 388' || fail "no console window"
  console=$(client_sized 'Floemark Simulator' '741 388')
  xdotool mousemove $((389 + 122)) $((231 + 284)) click 1
  wait_until 10 at "$console" "141 190" || fail "PLAY did not centre the console"
  sleep 0.5  # the console takes the focus as it is activated
  "$play" "$console" "$assets" "keys-$layout" || fail "the penguin's keys on the $layout layout"
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the game"
  ;;

*)
  fail "unknown scenario $scenario"
  ;;
esac
