# Sourced by desktop_test.sh after session.sh: the desktops a person may run the program on,
# started inside the test's own X server, each checked to have really come up, and the helpers
# that read the screen as that person sees it. Needs $screen_tool (floemark-e2e-screen).

# ---- Client windows (under a window manager they hang below its frames) ----
# clients NAME: the ids of the program's windows called exactly NAME, anywhere in the tree.
clients() {
  xwininfo -root -tree 2>/dev/null |
    awk -v want="\"$1\":" '$2 " " $3 " " $4 == want || $2 " " $3 == want {print $1}'
}
# The one window called NAME of the given size, or nothing.
client_sized() {
  local w
  for w in $(clients "$1"); do
    [ "$(geometry "$w" | cut -d' ' -f3,4)" = "$2" ] && echo "$w" && return
  done
}
# within X Y W H  LEFT TOP WIDTH HEIGHT: the first rectangle lies inside the second.
within() {
  [ "$1" -ge "$5" ] && [ "$2" -ge "$6" ] && [ $(($1 + $3)) -le $(($5 + $7)) ] &&
    [ $(($2 + $4)) -le $(($6 + $8)) ]
}
# Where the arithmetic centres a window of W x H on a screen at LEFT,TOP of SW x SH: "X Y".
centred_on() { echo "$(($1 + ($3 - $5) / 2)) $(($2 + ($4 - $6) / 2))"; }

# ---- Openbox ----
start_openbox() {
  openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
  desktop_pids+=($!)
  wait_until 10 sh -c 'wmctrl -m 2>/dev/null | grep -q "^Name: Openbox"' ||
    fail "openbox is not managing the screen"
  # A desktop of one plain colour, so that any pixel of a window shows against it.
  xsetroot -solid '#3a6ea5'
  note "openbox manages the screen ($(wmctrl -m | head -n1))"
}

# frame_of WINDOW: "X Y W H" of the frame the window manager drew round it (its extents).
frame_of() {
  local extents
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
  [ -n "$extents" ] || return 1
  read -r l r t b <<<"$extents"
  read -r x y w h _ <<<"$(geometry "$1")"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# ---- Weston with its X11 back end, inside the test's X server (which gives it a seat) ----
wayland_socket="floemark-wl"
start_weston() {
  local extra=$1
  weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 \
    --socket="$wayland_socket" --debug $extra --log="$tmp/weston.log" >/dev/null 2>&1 &
  desktop_pids+=($!)
  wait_until 15 test -S "$XDG_RUNTIME_DIR/$wayland_socket" || fail "weston made no socket"
  wait_until 15 grep -q "launching '.*weston-desktop-shell'" "$tmp/weston.log" ||
    fail "weston did not start its desktop shell"
  wait_until 10 has xwininfo_weston || fail "weston has no output window on the X server"
  # The compositor answers and can take a screenshot of its desktop: the shell's panel, at the
  # top, is drawn when the shell has come up.
  mkdir -p "$tmp/shots"
  wait_until 15 shell_drawn || fail "weston's desktop shell drew nothing"
  # The shell fades its desktop in: the desktop is the one that stays as it is.
  cp "$tmp/shot.png" "$tmp/desktop.png"
  wait_until 10 desktop_settled || fail "weston's desktop did not settle"
  note "weston runs its desktop shell on a 1024 x 768 output"
}
desktop_settled() {
  shot || return 1
  local changed
  changed=$("$screen_tool" differ "$tmp/desktop.png" "$tmp/shot.png" 0 40 1024 728)
  cp "$tmp/shot.png" "$tmp/desktop.png"
  [ "$changed" = 0 ]
}
xwininfo_weston() { xwininfo -root -children | grep '"Weston Compositor - screen0"'; }
shell_drawn() { shot && [ "$("$screen_tool" outside "$tmp/shot.png" 0 40 1024 728)" -gt 1000 ]; }

# shot: the compositor's own screenshot of its whole output, as $tmp/shot.png.
shot() {
  rm -f "$tmp/shots"/*.png
  (cd "$tmp/shots" && WAYLAND_DISPLAY=$wayland_socket weston-screenshooter) >/dev/null 2>&1 ||
    return 1
  mv "$tmp/shots"/*.png "$tmp/shot.png" 2>/dev/null
}

# Weston's X11 back end moves its own pointer by the X pointer's motion, clamped at the edges
# of its output: running to the far corners first makes the two one.
weston_pointer_sync() {
  xdotool mousemove 0 0
  sleep 0.1
  xdotool mousemove 1023 767
  sleep 0.1
}
weston_click() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
}

# find_on_shot splash|console: "X Y" of that window's client area in the last shot.
find_on_shot() { "$screen_tool" find "$tmp/shot.png" "$1"; }
seen() { shot && find_on_shot "$1" >/dev/null; }
not_seen() { shot && ! find_on_shot "$1" >/dev/null; }
# lcd_on_shot X Y: the console's LCD in the last shot.
lcd_on_shot() { "$screen_tool" lcd "$tmp/shot.png" "$1" "$2" "$assets"; }
lcd_shows() { shot && lcd_on_shot "$1" "$2" | grep -q -- "$3"; }

# ---- Keyboard layouts ----
# set_layout LAYOUT KEY KEYSYM: switches the X server's keymap to LAYOUT alone, then checks that
# it is in force: one group only, with KEYSYM on the key KEY (an XKB key name such as AB01).
# Xvfb may keep the old keymap without a word.
set_layout() {
  setxkbmap -layout "$1" -variant "" -option "" || fail "setxkbmap $1 failed"
  xkbcomp "$DISPLAY" "$tmp/keymap.xkb" 2>/dev/null || fail "cannot read the keymap back"
  grep -q "xkb_symbols \"pc+$1+" "$tmp/keymap.xkb" || fail "the keymap in force is not $1"
  grep -q 'Group2' "$tmp/keymap.xkb" && fail "the keymap has a second group besides $1"
  grep -A2 "key <$2>" "$tmp/keymap.xkb" | grep -q "\[ *$3," ||
    fail "in the $1 keymap <$2> does not give $3"
  note "keymap $1 in force alone (<$2> gives $3)"
}
