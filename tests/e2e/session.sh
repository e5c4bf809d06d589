# Sourced by the end-to-end scripts: a temporary folder, an X server of the script's own on a
# free display, and the helpers every script uses. The caller sets app_pid once the program runs,
# and adds what else it starts (a window manager, a compositor) to desktop_pids.
# The X server is Xvfb with one 1024 x 768 screen, unless the caller sets
# session_server=xorg-dummy before sourcing: Xorg with the dummy video driver, whose outputs the
# caller lays out as monitors with xrandr (Qt does not take Xvfb's RandR monitors for screens).
tmp=$(mktemp -d)
app_pid=""
server_pid=""
desktop_pids=()

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  local i
  for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do kill "${desktop_pids[i]}" 2>/dev/null; done
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  wait 2>/dev/null
  # E2E_KEEP=DIR keeps the screenshots a test took, to look at them.
  [ -n "${E2E_KEEP:-}" ] && cp "$tmp"/*.png "$E2E_KEEP"/ 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- windows:" >&2
  xwininfo -root -children 2>/dev/null | grep -v 'has no name' >&2
  echo "--- program output:" >&2
  cat "$tmp/out" >&2 2>/dev/null
  exit 1
}
note() { echo "ok: $*"; }

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_until() {
  local limit=$(($1 * 10)); shift
  local i
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# ---- Window helpers ----
# geometry WINDOW: "X Y W H MAPSTATE"
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} /Map State/{m=$3} END{print x, y, w, h, m}'
}
viewable() { [ "$(geometry "$1" | cut -d' ' -f5)" = IsViewable ]; }
position() { geometry "$1" | cut -d' ' -f1,2; }
at() { [ "$(position "$1")" = "$2" ]; }
has() { [ -n "$("$@")" ]; }

# escape_ends_program [WINDOW]: Esc, the console's Exit, given to WINDOW (else to the window that
# has the focus), must end the program (app_pid) with status 0 within 10 s.
escape_ends_program() {
  if [ -n "${1:-}" ]; then xdotool windowfocus "$1" key Escape; else xdotool key Escape; fi
  wait_until 10 sh -c "! kill -0 $app_pid 2>/dev/null" || fail "Esc did not end the program"
  wait "$app_pid"
  local status=$?
  app_pid=""
  [ $status = 0 ] || fail "Esc ended the program with status $status"
}

# -noreset: an X server resets when its last client leaves, and forgets a keymap, a monitor
# layout or resources (Xft.dpi) that a test set before the program connected. A script may ask
# for a larger screen (the scaled window's test) through E2E_SCREEN.
case ${session_server:-xvfb} in
  xvfb)
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset 3>"$tmp/display" \
      2>"$tmp/xvfb.log" &
    server_pid=$!
    ;;
  xorg-dummy)
    # Modes for the monitors the tests lay out; the framebuffer grows with xrandr --fb.
    cat >"$tmp/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1920x1080" 148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync
  Modeline "1024x600" 48.96 1024 1064 1168 1312 600 601 604 622 -hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2944 1080
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF
    # Xorg takes a configuration file from anywhere only from root.
    [ "$(id -u)" = 0 ] || fail "Xorg with the dummy driver needs root for its configuration"
    Xorg -displayfd 3 -config "$tmp/xorg.conf" -noreset -nolisten tcp -novtswitch -sharevts \
      -logfile "$tmp/xorg.log" 3>"$tmp/display" >/dev/null 2>&1 &
    server_pid=$!
    ;;
esac
wait_until 10 test -s "$tmp/display" || fail "the X server did not start"
export DISPLAY=":$(head -n1 "$tmp/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$tmp/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
