#!/bin/bash
# Takes the screenshots under docs/ from the real program under Xvfb (run by hand, not by ctest):
#   tests/e2e/screenshots.sh [BUILD_DIR]
# docs/splash.png, docs/about.png and docs/menu.png (the console with its popup menu open), and
# docs/console-2x.png: the console at QT_SCALE_FACTOR=2 a few seconds into a game.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
tmp=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY

# The program's working files: the repository's sounds, or silent stand-ins.
mkdir -p "$tmp/work/SOUND"
for s in START TEMPO GOT BLOCK BONUS BOMBED OVER; do
  if [ -f "$root/SOUND/$s.WAV" ]; then cp "$root/SOUND/$s.WAV" "$tmp/work/SOUND/"
  else sox -n -r 22050 -c 1 -b 16 "$tmp/work/SOUND/$s.WAV" synth 0.2 sine 440 vol 0; fi
done
(cd "$tmp/work" && exec "$build/floemark") >/dev/null 2>&1 &
app=$!
sleep 2
mkdir -p "$root/docs"
shot() { import -window root "$tmp/root.png" && convert "$tmp/root.png" -crop "$1" +repage "$2"; }

shot 246x306+389+231 "$root/docs/splash.png"           # the splash, centred on 1024 x 768
xdotool mousemove 511 515 click 1                       # PLAY: the console goes to 141, 190
sleep 0.7
console=$(xwininfo -root -children | awk '/"Floemark Simulator".*741x388/ {print $1}')
xdotool mousemove 259 524 click 1                       # power on: 15 and 15
sleep 0.3
xdotool mousemove 426 408 click 3                       # the menu, between the screens
sleep 0.7
shot 741x388+141+190 "$root/docs/menu.png"
xdotool key Escape
sleep 0.3
xdotool windowfocus "$console" key F1
sleep 0.7
shot 275x224+0+0 "$root/docs/about.png"
xdotool windowfocus "$console" key Escape
wait $app

# The same program on a screen of twice the density: every picture drawn at 2 dots per pixel.
kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null
rm -f "$tmp/display"
Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")" QT_SCALE_FACTOR=2
(cd "$tmp/work" && exec "$build/floemark") >/dev/null 2>&1 &
app=$!
sleep 2
xdotool mousemove $((778 + 244)) $((462 + 568)) click 1  # PLAY: the console goes to 282, 380
sleep 0.7
console=$(xwininfo -root -children | awk '/"Floemark Simulator".*1482x776/ {print $1}')
xdotool mousemove $((282 + 236)) $((380 + 668)) click 1  # power on
sleep 0.3
xdotool mousemove 2040 1530
xdotool windowfocus "$console" key shift                  # the penguin starts a game
sleep 5.5
shot 1482x776+282+380 "$root/docs/console-2x.png"
xdotool windowfocus "$console" key Escape
wait $app
echo "docs/splash.png docs/about.png docs/menu.png docs/console-2x.png written"
