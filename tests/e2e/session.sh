# Sourced by the end-to-end scripts: a temporary folder, an X server of the script's own on a
# free display, and the helpers every script uses. The caller sets app_pid once the program runs.
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

# A script may ask for a larger screen (the scaled window's test) through E2E_SCREEN. No reset
# when the last client leaves, so that resources a script sets (Xft.dpi) stay for the program.
Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
wait_until 10 test -s "$tmp/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$tmp/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$tmp/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
