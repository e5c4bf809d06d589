#!/bin/bash
# The real program's command line, with no display anywhere in reach.
#   command_line_test.sh FLOEMARK_BINARY
set -u
binary=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "ok: $*"; }

# run ARGS...: the program's status, standard output and standard error, in $status, $tmp/out
# and $tmp/err, with no display (and an X display and a Wayland socket that answer nothing).
run() {
  mkdir -p "$tmp/xdg" && chmod 700 "$tmp/xdg"
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="${display-}" XDG_RUNTIME_DIR="$tmp/xdg" \
    "$binary" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
  status=$?
}
lines() { wc -l <"$1" | tr -d ' '; }

for display in "" ":99.0"; do
  run --version
  [ $status = 0 ] || fail "--version: status $status"
  grep -qx 'Floemark Simulator [0-9][0-9.]*' "$tmp/out" || fail "--version printed: $(cat "$tmp/out")"
  [ -s "$tmp/err" ] && fail "--version wrote to standard error: $(cat "$tmp/err")"
  version=$(cat "$tmp/out")
  run -v
  [ "$(cat "$tmp/out")" = "$version" ] || fail "-v printed: $(cat "$tmp/out")"
  run --help
  [ $status = 0 ] || fail "--help: status $status"
  head -n1 "$tmp/out" | grep -q '^usage: floemark' || fail "--help starts: $(head -n1 "$tmp/out")"
  for option in --help --version; do grep -q -- "$option" "$tmp/out" || fail "--help does not name $option"; done
  [ -s "$tmp/err" ] && fail "--help wrote to standard error: $(cat "$tmp/err")"
done
note "--help and --version print to standard output and exit 0 without a display"

# Every option --help lists is one the program takes, in each of its forms, and the usage line
# names the same ones; the options Qt's applications usually take are not among them. An
# option with a value gets a file: the program takes it and goes on, to no display (status 1).
run --help
cp "$tmp/out" "$tmp/help"
listed=$(sed -n 's/^  \(-[a-z]\)\{0,1\}[, ]*\(--[a-z-]*\).*/\1 \2/p' "$tmp/help" | tr '\n' ' ' | tr -s ' ')
[ -n "$listed" ] || fail "--help lists no options: $(cat "$tmp/help")"
usage=$(head -n1 "$tmp/help" | grep -o -- '--*[a-z-]*' | tr '\n' ' ')
[ "$usage" = "$listed" ] || fail "the usage line names '$usage', the list '$listed'"
for option in $listed; do
  if grep -q -- "^  .*$option [A-Z]" "$tmp/help"; then
    run "$option" "$tmp/$option.file"
    [ $status = 1 ] && ! grep -q usage "$tmp/err" ||
      fail "$option FILE, listed by --help: status $status, $(cat "$tmp/err")"
  else
    run "$option"
    [ $status = 0 ] && [ -s "$tmp/out" ] && [ ! -s "$tmp/err" ] ||
      fail "$option, listed by --help: status $status, $(cat "$tmp/err")"
  fi
done
note "--help lists $listed and the program takes each of them"

for args in "--fullscreen" "-x" "README.TXT" "-- --help" "--help=1" "-platform xcb" "-display :0" \
  "-style fusion" "-reverse" "-session x" "-qwindowgeometry 10x10" "--nograb"; do
  # shellcheck disable=SC2086
  run $args
  [ $status = 2 ] || fail "'$args': status $status, want 2"
  [ "$(lines "$tmp/err")" = 1 ] || fail "'$args': standard error has $(lines "$tmp/err") lines: $(cat "$tmp/err")"
  grep -q '^floemark: .*usage: floemark' "$tmp/err" || fail "'$args': $(cat "$tmp/err")"
  [ -s "$tmp/out" ] && fail "'$args' wrote to standard output"
done
note "a command line not understood gets one line of usage on standard error and status 2"

# No display at all, an X display that no server answers, a Wayland socket that is not there.
for display in "" ":99.0"; do
  for platform in "" xcb wayland; do
    mkdir -p "$tmp/xdg" && chmod 700 "$tmp/xdg"
    env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM="$platform" \
      XDG_RUNTIME_DIR="$tmp/xdg" "$binary" >"$tmp/out" 2>"$tmp/err" </dev/null
    status=$?
    what="DISPLAY='$display' QT_QPA_PLATFORM='$platform'"
    [ $status = 1 ] || fail "$what: status $status, want 1 (134 is Qt's abort)"
    [ "$(lines "$tmp/err")" = 1 ] || fail "$what: standard error has $(lines "$tmp/err") lines: $(cat "$tmp/err")"
    grep -q '^floemark: cannot open a window: no display reachable' "$tmp/err" || fail "$what: $(cat "$tmp/err")"
  done
done
note "with no display reachable: one line and status 1"

# A window system that Qt itself cannot use: Qt's own reason in one line, not its abort.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=no-such-platform XDG_RUNTIME_DIR="$tmp/xdg" \
  "$binary" >"$tmp/out" 2>"$tmp/err" </dev/null
status=$?
[ $status = 1 ] || fail "an unknown Qt platform: status $status, want 1"
[ "$(lines "$tmp/err")" = 1 ] || fail "an unknown Qt platform: $(cat "$tmp/err")"
grep -q '^floemark: cannot open a window: .*no-such-platform' "$tmp/err" || fail "$(cat "$tmp/err")"
note "a window system Qt cannot use: one line with Qt's reason and status 1"
