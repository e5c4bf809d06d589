#!/bin/bash
# The .deb on a fresh Debian 12: a minbase system made by debootstrap from the mirror this
# machine's apt uses, where `apt-get install ./floemark_*.deb` alone must bring everything the
# game needs. Then a player of that system types `floemark` in their home and the game opens
# on an X server of the test's own, with no error box, in its data folder.
#   deb_chroot_test.sh REPO_ROOT BUILD_DIR CMAKE CACHE_DIR
# CACHE_DIR keeps the pristine system and the packages apt fetched, so that only the first run
# downloads them (about 45 s and 140 MB); every run installs into a fresh copy of the system.
# Skipped (status 77) when not root or when no Debian mirror answers.
set -u
root=$1
build=$2
cmake=$3
cache=$4
skip() {
  echo "SKIP: $*"
  exit 77
}

[ "$(id -u)" = 0 ] || skip "debootstrap and chroot need root"
command -v debootstrap >/dev/null || skip "no debootstrap (setup.sh installs it)"
mirror=${FLOEMARK_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' \
  'RELEASE: bookworm' 'IDENTIFIER: Packages' 2>/dev/null | head -n1)}
[ -n "$mirror" ] || skip "apt knows no Debian 12 mirror (set FLOEMARK_DEBIAN_MIRROR)"
probe_release=$(mktemp)
/usr/lib/apt/apt-helper download-file "${mirror%/}/dists/bookworm/Release" "$probe_release" \
  >/dev/null 2>&1
reached=$?
rm -f "$probe_release"
[ $reached = 0 ] || skip "the Debian mirror $mirror does not answer"

source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/windows.sh"
version=$(sed -n 's/^project(floemark VERSION \([^ ]*\) .*/\1/p' "$root/CMakeLists.txt")

# The package of this build.
"$cmake" --build "$build" --target package >"$tmp/package.log" 2>&1 ||
  fail "the package target: $(tail -n 20 "$tmp/package.log")"
deb="$build/floemark_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb"

# ---- The pristine system, made once ----
mkdir -p "$cache/archives"
base="$cache/bookworm-minbase"
if [ ! -x "$base/usr/bin/apt-get" ]; then
  rm -rf "$base" "$base.new"
  start=$(date +%s)
  debootstrap --variant=minbase bookworm "$base.new" "$mirror" >"$tmp/debootstrap.log" 2>&1 ||
    fail "debootstrap: $(tail -n 20 "$tmp/debootstrap.log")"
  mv "$base.new" "$base"
  note "debootstrap made a minbase Debian 12 in $(($(date +%s) - start)) s"
fi

# ---- A fresh copy of it for this run ----
# A copy left by a run that was killed goes first.
for left in "$cache"/run.*; do
  [ -d "$left" ] && ! kill -0 "${left##*.}" 2>/dev/null && rm -rf --one-file-system "$left"
done
system="$cache/run.$$"
# The copy's own mounts live in the mount namespaces of in_system, so that removing the copy
# can never reach into the machine's /dev or /proc.
remove_system() { rm -rf --one-file-system "$system"; }
trap 'cleanup; remove_system' EXIT
cp -a "$base" "$system"
cp "$deb" "$system/tmp/"
cp "$cache/archives/"*.deb "$system/var/cache/apt/archives/" 2>/dev/null
cp /etc/resolv.conf "$system/etc/resolv.conf"
mkdir -p "$system/tmp/.X11-unix"
# The copy is thrown away after the run: dpkg need not wait for each file to reach the disk.
echo force-unsafe-io >"$system/etc/dpkg/dpkg.cfg.d/floemark-test-unsafe-io"

# in_system COMMAND...: runs COMMAND as root of the copy, with its /proc, the machine's devices
# and the test's X server.
in_system() {
  unshare --mount --propagation private bash -c '
    r=$1; shift
    mount -t proc proc "$r/proc" && mount --rbind /dev "$r/dev" &&
      mount --bind /tmp/.X11-unix "$r/tmp/.X11-unix" && exec chroot "$r" "$@"' _ "$system" "$@"
}

start=$(date +%s)
in_system env DEBIAN_FRONTEND=noninteractive apt-get update -qq >"$tmp/apt.log" 2>&1 ||
  fail "apt-get update in the fresh system: $(tail -n 20 "$tmp/apt.log")"
in_system env DEBIAN_FRONTEND=noninteractive apt-get install -y "/tmp/$(basename "$deb")" \
  >"$tmp/apt.log" 2>&1 || fail "apt-get install of the .deb: $(tail -n 30 "$tmp/apt.log")"
cp -n "$system/var/cache/apt/archives/"*.deb "$cache/archives/" 2>/dev/null
installed=$(grep -o '[0-9]* newly installed' "$tmp/apt.log")
fetched=$(sed -n 's/^Need to get \(.*\) of archives.*/\1/p' "$tmp/apt.log")
note "apt-get install ./$(basename "$deb") on a fresh Debian 12: $installed" \
  "(${fetched:-nothing} fetched) in $(($(date +%s) - start)) s"

status=$(in_system dpkg-query -W -f='${Status} ${Section}' floemark)
[ "$status" = "install ok installed games" ] || fail "dpkg says: $status"
in_system dpkg -L floemark >"$tmp/files"
for f in /usr/games/floemark /usr/lib/games/floemark/floemark \
  /usr/share/games/floemark/README.TXT /usr/share/games/floemark/WHATSNEW.TXT \
  /usr/share/games/floemark/SOUND/START.WAV /usr/share/applications/org.example.floemark.desktop \
  /usr/share/icons/hicolor/48x48/apps/org.example.floemark.png \
  /usr/share/icons/hicolor/scalable/apps/org.example.floemark.svg \
  /usr/share/metainfo/org.example.floemark.metainfo.xml /usr/share/man/man6/floemark.6.gz \
  /usr/share/doc/floemark/copyright /usr/share/doc/floemark/changelog.gz; do
  grep -qx "$f" "$tmp/files" || fail "the package has no $f"
  [ -e "$system$f" ] || fail "$f is not on the system"
done
entry="$system/usr/share/applications/org.example.floemark.desktop"
desktop-file-validate "$entry" || fail "the installed desktop entry is not valid"
key() { sed -n "s/^$1=//p" "$entry"; }
[ -x "$system$(key Exec)" ] && [ -d "$system$(key Path)" ] || fail "Exec or Path leads nowhere"
note "dpkg has floemark in section games; the menu entry's program and folder are there"

# A player of that system, who has /usr/games on PATH as every user but root.
in_system useradd -m player || fail "useradd"
as_player() { in_system runuser -l player -c "$1"; }
[ "$(as_player 'cd && floemark --version')" = "Floemark Simulator $version" ] ||
  fail "floemark --version: $(as_player 'cd && floemark --version' 2>&1)"
as_player 'floemark --help' | grep -q '^usage: floemark' || fail "floemark --help"
as_player 'cd && floemark' >"$tmp/out" 2>&1
[ $? = 1 ] || fail "with no display, not status 1"
note "typed by a player: --version, --help, and status 1 with no display"

as_player "cd && DISPLAY=$DISPLAY QT_QPA_PLATFORM=xcb exec floemark" >"$tmp/out" 2>&1 &
wait_until 20 has splash_window || fail "no splash from the installed game"
has other_titled && fail "an error box or another window"
game=$(xdotool getwindowpid "$(splash_window)")
app_pid=$game
[ "$(readlink "/proc/$game/cwd")" = "$system/usr/share/games/floemark" ] ||
  fail "working directory $(readlink "/proc/$game/cwd")"
grep -q '^floemark: \|Cannot load' "$tmp/out" && fail "the program said: $(cat "$tmp/out")"
xdotool mousemove $((389 + 122)) $((231 + 284)) click 1
wait_until 10 has console_window || fail "PLAY showed no console"
# E2E_KEEP=DIR keeps a picture of the installed game's console, where ImageMagick is there.
[ -n "${E2E_KEEP:-}" ] && command -v import >/dev/null && import -window root "$tmp/deb-chroot.png"
xdotool windowfocus "$(console_window)" key Escape
wait_until 10 sh -c "! kill -0 $game 2>/dev/null" || fail "Esc did not end the game"
app_pid=""
note "the installed game opens from the player's home in its data folder, and Esc ends it"
