#!/bin/bash
# The installed game as a new user meets it. Installs the build into a DESTDIR the way a
# package is made (prefix /usr) and checks the tree, every file of it; then installs it for a
# user under ~/.local, starts it from the desktop entry as the desktop does (GLib's launcher,
# which honours Exec and Path) and by typing the command in $HOME, and sees the splash with no
# error box, the window icon, hears a game's start jingle and sees F2 and F3 open the installed
# README.TXT and WHATSNEW.TXT.
#   install_test.sh REPO_ROOT BUILD_DIR CMAKE PROBE_BINARY
set -u
root=$1
build=$2
cmake=$3
probe=$4
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/windows.sh"

app_id=org.example.floemark
version=$(sed -n 's/^project(floemark VERSION \([^ ]*\) .*/\1/p' "$root/CMakeLists.txt")
sizes="16 22 24 32 48 64 128 256 512"
# A window's own icon stops at the largest a window manager shows; the theme has them all.
window_icon_sizes="16 22 24 32 48 64 128"
sounds="BLOCK BOMBED BONUS GOT OVER START TEMPO"

# ---- The package's tree: DESTDIR=$stage, prefix /usr ----
stage="$tmp/stage"
DESTDIR="$stage" "$cmake" --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 ||
  fail "cmake --install into DESTDIR: $(cat "$tmp/install.log")"
{
  echo usr/games/floemark
  echo usr/lib/games/floemark/floemark
  echo usr/share/applications/$app_id.desktop
  echo usr/share/doc/floemark/changelog.gz
  echo usr/share/doc/floemark/copyright
  echo usr/share/games/floemark/README.TXT
  for s in $sounds; do echo usr/share/games/floemark/SOUND/$s.WAV; done
  echo usr/share/games/floemark/WHATSNEW.TXT
  for n in $sizes; do echo usr/share/icons/hicolor/${n}x$n/apps/$app_id.png; done
  echo usr/share/lintian/overrides/floemark
  echo usr/share/icons/hicolor/scalable/apps/$app_id.svg
  echo usr/share/man/man6/floemark.6.gz
  echo usr/share/metainfo/$app_id.metainfo.xml
} | LC_ALL=C sort >"$tmp/want"
(cd "$stage" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/have"
diff -u "$tmp/want" "$tmp/have" >&2 || fail "the installed tree (- wanted, + installed)"
note "DESTDIR install: exactly the $(wc -l <"$tmp/want") files of the game"

usr="$stage/usr"
data="$usr/share/games/floemark"
for f in README.TXT WHATSNEW.TXT; do cmp -s "$root/$f" "$data/$f" || fail "$f differs from the repository's"; done
for s in $sounds; do cmp -s "$root/SOUND/$s.WAV" "$data/SOUND/$s.WAV" || fail "SOUND/$s.WAV differs"; done
for n in $sizes; do
  cmp -s "$root/assets/icon$n.png" "$usr/share/icons/hicolor/${n}x$n/apps/$app_id.png" ||
    fail "the ${n}x$n icon is not the generator's icon$n.png"
done
cmp -s "$root/assets/icon.svg" "$usr/share/icons/hicolor/scalable/apps/$app_id.svg" ||
  fail "the scalable icon is not the generator's icon.svg"
[ -x "$usr/games/floemark" ] && [ -x "$usr/lib/games/floemark/floemark" ] || fail "not executable"
head -c 4 "$usr/lib/games/floemark/floemark" | grep -q ELF || fail "the program is no ELF file"
grep -rlF "$stage" "$usr" && fail "installed files name the DESTDIR"
note "the data, the icons and the programs are the build's"

entry="$usr/share/applications/$app_id.desktop"
desktop-file-validate "$entry" >"$tmp/dfv" 2>&1 || fail "desktop-file-validate: $(cat "$tmp/dfv")"
[ -s "$tmp/dfv" ] && fail "desktop-file-validate warns: $(cat "$tmp/dfv")"
key() { sed -n "s/^$1=//p" "$2"; }
[ "$(key Exec "$entry")" = /usr/lib/games/floemark/floemark ] || fail "Exec=$(key Exec "$entry")"
[ "$(key Path "$entry")" = /usr/share/games/floemark ] || fail "Path=$(key Path "$entry")"
[ "$(key Icon "$entry")" = $app_id ] || fail "Icon=$(key Icon "$entry")"
[ "$(key Name "$entry")" = "Floemark Simulator" ] || fail "Name=$(key Name "$entry")"
[ "$(key Categories "$entry")" = "Game;ArcadeGame;" ] || fail "Categories=$(key Categories "$entry")"
for k in GenericName Comment Keywords; do [ -n "$(key $k "$entry")" ] || fail "no $k"; done
note "desktop entry valid, Exec and Path under /usr"

metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$tmp/asv" 2>&1 || fail "appstreamcli: $(cat "$tmp/asv")"
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo launchable"
grep -q '<content_rating type="oars-1.1">' "$metainfo" || fail "no content rating"
# Its releases are WHATSNEW.TXT's, newest first, the newest the version built.
diff <(sed -n 's/^Version \([0-9.]*\)  (\(.*\))$/\1 \2/p' "$root/WHATSNEW.TXT") \
  <(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)">.*/\1 \2/p' "$metainfo") >&2 ||
  fail "metainfo releases differ from WHATSNEW.TXT's"
[ "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)" = "$version" ] ||
  fail "newest release is not $version"
grep -q "<li>One player against the computer" "$metainfo" || fail "release notes not WHATSNEW.TXT's"
shots=$(sed -n 's|.*<image>.*/docs/\([^<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$shots" ] || fail "no screenshots"
for s in $shots; do [ -f "$root/docs/$s" ] || fail "screenshot docs/$s does not exist"; done
note "metainfo valid; releases match WHATSNEW.TXT; screenshots $(echo $shots) are in docs/"

# The tree as a distribution's software centre sees it: the metainfo with the desktop entry it
# launches, and the icons that the catalogue caches at its sizes from the hicolor theme. Only
# infos may remain (the example homepage is plain http, as the splash shows it).
appstreamcli validate-tree --no-net "$stage" >"$tmp/tree" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$tmp/tree")"
appstreamcli compose --no-net --no-color --print-report=full --origin=floemark \
  --result-root="$tmp/catalogue" "$stage" >"$tmp/compose" 2>&1 ||
  fail "appstreamcli compose: $(cat "$tmp/compose")"
grep -E '^ *[EW]: ' "$tmp/compose" && fail "appstreamcli compose: $(cat "$tmp/compose")"
catalogue=$(zcat "$tmp/catalogue/usr/share/swcatalog/xml/floemark.xml.gz")
for n in 48 64 128; do
  grep -q "<icon type=\"cached\" width=\"$n\" height=\"$n\">$app_id.png</icon>" <<<"$catalogue" ||
    fail "the catalogue caches no ${n}x$n icon"
  file "$tmp/catalogue/usr/share/swcatalog/icons/floemark/${n}x$n/$app_id.png" |
    grep -q "PNG image data, $n x $n" || fail "the catalogue's ${n}x$n icon"
done
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" <<<"$catalogue" &&
  grep -q "<binary>floemark</binary>" <<<"$catalogue" || fail "catalogue without launcher or command"
note "a software centre's catalogue takes the game, its menu entry, its command and its icons"

man --warnings -l "$usr/share/man/man6/floemark.6.gz" >"$tmp/man" 2>"$tmp/man.err" </dev/null ||
  fail "man: $(cat "$tmp/man.err")"
[ -s "$tmp/man.err" ] && fail "the man page has warnings: $(cat "$tmp/man.err")"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS 'THE WORKING DIRECTORY' FILES 'EXIT STATUS'; do
  grep -q "^$section" "$tmp/man" || fail "man page without $section"
done
grep -q '/usr/share/games/floemark/SOUND/' "$tmp/man" || fail "man page names no data folder"
grep -q "FLOEMARK(6)" "$tmp/man" || fail "not floemark(6)"
# The man page's options are the program's own, as its --help lists them.
help_options=$("$usr/lib/games/floemark/floemark" --help | sed -n 's/^  \(-[a-z], \)\{0,1\} *\(--[a-z-]*\).*/\2/p')
man_options=$(sed -n '/^OPTIONS/,/^[A-Z]/s/^ \{7\}\(-[a-z], \)\{0,1\}\(--[a-z-]*\)\( [a-z]*\)\{0,1\}$/\2/p' \
  "$tmp/man")
[ -n "$help_options" ] && [ "$man_options" = "$help_options" ] ||
  fail "the man page's options '$man_options', --help's '$help_options'"
note "floemark(6) renders without warnings"

# The launcher finds its program wherever the tree lies, here under the DESTDIR.
[ "$(cd / && "$usr/games/floemark" --version)" = "Floemark Simulator $version" ] ||
  fail "the staged launcher's --version: $(cd / && "$usr/games/floemark" --version 2>&1)"
note "the launcher runs the program from a moved tree"

# ---- A user's own install under ~/.local, in a home with a space in its name ----
export HOME="$tmp/home of a player"
mkdir -p "$HOME"
"$cmake" --install "$build" --prefix "$HOME/.local" >"$tmp/install.log" 2>&1 ||
  fail "cmake --install --prefix: $(cat "$tmp/install.log")"
entry="$HOME/.local/share/applications/$app_id.desktop"
data="$HOME/.local/share/games/floemark"
program="$HOME/.local/lib/games/floemark/floemark"
desktop-file-validate "$entry" || fail "the user's desktop entry is not valid"
[ "$(key Path "$entry")" = "$data" ] || fail "Path=$(key Path "$entry")"
stub_xdg_open

# The sound goes to a file through SDL's disk driver, to be heard there: zeros are silence.
export SDL_AUDIODRIVER=disk
heard() { [ -s "$SDL_DISKAUDIOFILE" ] && [ -n "$(tr -d '\0' <"$SDL_DISKAUDIOFILE" | head -c 1)" ]; }

# opens KEY FILE: the key hands the installed FILE to the desktop, as a path or a file URL.
opens() {
  local key=$1 file=$2 opened
  rm -f "$tmp/opened"
  xdotool windowfocus "$console" key "$key"
  wait_until 5 test -s "$tmp/opened" || fail "$how: $key opened nothing"
  opened=$(head -n1 "$tmp/opened")
  [ "$opened" = "$data/$file" ] || [ "$opened" = "file://${data// /%20}/$file" ] ||
    fail "$how: $key opened '$opened', not the installed $file"
}

# started PID: the program runs its installed binary in the data folder, shows the splash with
# no error box before it, and offers every icon size to the window system; PLAY, power on and
# SHIFT start a game with the installed START.WAV, and F2 and F3 hand the installed README.TXT and WHATSNEW.TXT to the
# desktop. Esc ends it.
started() {
  local pid=$1 how=$2
  wait_until 15 has splash_window || fail "$how: no splash window"
  has other_titled && fail "$how: an error box or another window: $(cat "$tmp/out")"
  [ "$(readlink "/proc/$pid/cwd")" = "$data" ] || fail "$how: working directory $(readlink "/proc/$pid/cwd")"
  [ "$(readlink "/proc/$pid/exe")" = "$program" ] || fail "$how: running $(readlink "/proc/$pid/exe")"
  grep -q '^floemark: \|Cannot load' "$tmp/out" && fail "$how: the program said: $(cat "$tmp/out")"
  # _NET_WM_ICON is width, height and the pixels, for one size after another.
  local icon_sizes
  xprop -len 16000000 -id "$(splash_window)" -notype 32c _NET_WM_ICON >"$tmp/icon" || fail "$how: xprop"
  icon_sizes=$(cut -d= -f2 "$tmp/icon" | tr -d ' \n' | tr ',' '\n' |
    awk '{ v[NR] = $1 } END { i = 1; while (i < NR) { print v[i]; i += 2 + v[i] * v[i + 1] } }' |
    sort -n | tr '\n' ' ')
  [ "$icon_sizes" = "$window_icon_sizes " ] || fail "$how: window icon sizes '$icon_sizes'"
  note "$how: splash, no error box, in $data, window icon at $window_icon_sizes"
  xdotool mousemove $((389 + 122)) $((231 + 284)) click 1
  wait_until 10 has console_window || fail "$how: PLAY showed no console"
  console=$(console_window)
  wait_until 10 at "$console" "141 190" || fail "$how: console at $(position "$console")"
  xdotool mousemove $((141 + 118)) $((190 + 334)) click 1
  sleep 0.5
  heard && fail "$how: sound before a game started"
  xdotool windowfocus "$console" key shift
  wait_until 5 heard || fail "$how: the start of a game played no sound"
  note "$how: a game's start plays the installed START.WAV"
  opens F2 README.TXT
  opens F3 WHATSNEW.TXT
  note "$how: F2 and F3 open the installed README.TXT and WHATSNEW.TXT"
  xdotool windowfocus "$console" key Escape
  wait_until 10 sh -c "! kill -0 $pid 2>/dev/null" || fail "$how: Esc did not end the program"
}

# As the desktop's menu starts it: GLib's launcher reads Exec and Path from the entry. It
# returns once the program runs; the program is found by its window.
export SDL_DISKAUDIOFILE="$tmp/menu.raw"
(cd / && exec gio launch "$entry") >"$tmp/out" 2>&1 || fail "gio launch: $(cat "$tmp/out")"
wait_until 15 has splash_window || fail "from the menu: no splash window"
app_pid=$(xdotool getwindowpid "$(splash_window)")
started "$app_pid" "from the desktop entry"
app_pid=""

# As a person types it in a terminal: the command on PATH, from $HOME, recording the game into a
# file named as from there.
export PATH="$HOME/.local/games:$PATH"
export SDL_DISKAUDIOFILE="$tmp/typed.raw"
(cd "$HOME" && exec floemark --record "typed game.rec") >"$tmp/out" 2>&1 &
app_pid=$!
started "$app_pid" "typed in \$HOME"
grep -q '^clock ' "$HOME/typed game.rec" ||
  fail "the recording named from \$HOME is not in \$HOME: $(ls "$HOME" "$data")"
note "a recording named on the command line is made where the command was typed"
wait "$app_pid"
status=$?
app_pid=""
[ $status = 0 ] || fail "exit status $status"
note "the typed command ends with status 0"
