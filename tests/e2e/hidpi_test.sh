#!/bin/bash
# End-to-end test of the real program on a dense screen under Xvfb:
#   hidpi_test.sh REPO_ROOT FLOEMARK_BINARY SHOT_BINARY PROBE_BINARY HOW
# HOW is "scale-2" (QT_SCALE_FACTOR=2) or "dpi-144" (Xft.dpi 144 in the X resources, a ratio of
# 1.5). The window must be the panel's size times the ratio, show exactly what floemark-shot
# draws at that ratio (the pictures made for it, 1:1 on the screen's pixels), and keep its
# places in the panel's pixels: PLAY centres it, a click on POWER lands, a drag moves it by the
# mouse's travel.
set -u
root=$1
binary=$2
shot=$3
probe=$4
how=$5
export E2E_SCREEN=2048x1536
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/windows.sh"

case $how in
  scale-2) export QT_SCALE_FACTOR=2; ratio=2; console_size="1482 776"; splash_size="492 612" ;;
  dpi-144)
    unset QT_SCALE_FACTOR
    echo "Xft.dpi: 144" | xrdb -nocpp -merge - || fail "xrdb could not set Xft.dpi"
    xrdb -query | grep -q 'Xft.dpi:[[:space:]]*144' || fail "Xft.dpi is not 144 on the display"
    ratio=1.5; console_size="1112 582"; splash_size="369 459" ;;
  *) fail "unknown way to make the screen dense: $how" ;;
esac
unset QT_AUTO_SCREEN_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING
# Device pixels of a panel coordinate (whole at both ratios for the points used here).
dev() { awk -v v="$1" -v r="$ratio" 'BEGIN { printf "%d", v * r }'; }

(cd "$root" && exec "$binary") >"$tmp/out" 2>&1 &
app_pid=$!


wait_until 20 has sized 'About Floemark...' "$splash_size" ||
  fail "no splash of $splash_size device pixels"
wait_until 10 has sized 'Floemark Simulator' "$console_size" ||
  fail "no console window of $console_size device pixels"
splash=$(sized 'About Floemark...' "$splash_size")
console=$(sized 'Floemark Simulator' "$console_size")
note "the windows are their size times $ratio: console $console_size, splash $splash_size"

# PLAY, in the middle of the splash's button (122, 284 of its 246 x 306).
read -r sx sy _ <<<"$(geometry "$splash")"
xdotool mousemove $((sx + $(dev 122))) $((sy + $(dev 284))) click 1
# Centred on the screen in panel pixels: 1024 x 768 of them at 2, 1365 x 1024 at 1.5.
case $ratio in 2) centre="282 380" ;; *) centre="$(dev 312) $(dev 318)" ;; esac
wait_until 10 at "$console" "$centre" || fail "PLAY: console at $(position "$console"), want $centre"
note "PLAY centres the console at $centre"
xdotool mousemove 2040 1530  # off the console, so that no tool tip or cursor covers it
sleep 0.5

# ---- The window shows the panel exactly as floemark-shot draws it at this ratio ----
read -r _ _ cw ch _ <<<"$(geometry "$console")"
"$shot" "$tmp/start.ppm" --scale $ratio || fail "floemark-shot --scale $ratio failed"
differing=$("$probe" "$console" 0 0 "$cw" "$ch" "$tmp/start.ppm")
[ "$differing" = 0 ] || fail "$differing device pixels differ from the panel drawn at $ratio"
note "the whole window is the panel drawn at $ratio, pixel for pixel"

# ---- A click on POWER lands in panel pixels: both scores show, as drawn at this ratio ----
read -r cx cy _ <<<"$(geometry "$console")"
xdotool mousemove $((cx + $(dev 118))) $((cy + $(dev 334))) click 1
xdotool mousemove 2040 1530
"$shot" "$tmp/all.ppm" --scale $ratio --all || fail "floemark-shot --all failed"
for slot in 88,195 99,195 254,195 265,195 457,196 468,196 623,196 634,196; do
  x=$(dev ${slot%,*}) y=$(dev ${slot#*,}) w=$(dev 7) h=$(dev 11)
  wait_until 5 sh -c "[ \"\$('$probe' $console $x $y $w $h '$tmp/all.ppm')\" = 0 ]" ||
    fail "power on: the score at $slot is not 15 as drawn at $ratio ($("$probe" "$console" $x $y $w $h "$tmp/all.ppm") pixels differ)"
done
note "POWER clicked in panel pixels: 15 and 15 on both screens, as drawn at $ratio"

# ---- A drag moves the window by the mouse's travel, in device pixels as in panel pixels ----
read -r cx cy _ <<<"$(geometry "$console")"
px=$((cx + $(dev 20))) py=$((cy + $(dev 20)))
xdotool mousemove $px $py mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((px + 5 * step)) $((py + 4 * step)); sleep 0.05; done
xdotool mouseup 1
want="$((cx + 30)) $((cy + 24))"
wait_until 5 at "$console" "$want" || fail "drag: console at $(position "$console"), want $want"
note "a drag of 30, 24 device pixels moves the console by as much"

xdotool key --window "$console" Escape
escape_ends_program "$console"
note "Esc ends the program"
