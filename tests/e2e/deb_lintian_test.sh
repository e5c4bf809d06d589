#!/bin/bash
# The .deb as Debian's policy wants every package: lintian finds no error in it (its warnings
# and infos are listed, to be explained or mended), and the two files that policy asks of
# each package say what they should: the changelog is WHATSNEW.TXT's history in Debian's form,
# its newest entry the package's version signed by the package's maintainer, and the
# machine-readable copyright names the licence that the metainfo declares.
#   deb_lintian_test.sh REPO_ROOT BUILD_DIR CMAKE
set -u
root=$1
build=$2
cmake=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
note() { echo "ok: $*"; }
command -v lintian >/dev/null || fail "no lintian (setup.sh installs it)"

version=$(sed -n 's/^project(floemark VERSION \([^ ]*\) .*/\1/p' "$root/CMakeLists.txt")
"$cmake" --build "$build" --target package >"$tmp/package.log" 2>&1 ||
  fail "the package target: $(tail -n 20 "$tmp/package.log")"
deb="$build/floemark_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"

# Every tag down to the pedantic and experimental ones is shown; only errors fail. Lintian's
# status 1 is its own failure (an unreadable package, say), 2 that it found an error.
lintian --fail-on error --display-level '>=pedantic' --display-experimental --show-overrides \
  "$deb" >"$tmp/lintian" 2>"$tmp/lintian.err"
status=$?
[ $status = 1 ] && fail "lintian could not check the package: $(cat "$tmp/lintian.err")"
grep '^E: ' "$tmp/lintian" >&2 && fail "lintian reports errors (above)"
# The package's overrides explain what its layout does on purpose; none may hide an error, and
# none may be left over (lintian's unused-override and mismatched-override tags, listed below).
for tag in $(sed -n 's/^O: [^ ]* \([^ ]*\).*/\1/p' "$tmp/lintian" | sort -u); do
  lintian-explain-tags "$tag" | grep -q '^N: *Visibility: error$' &&
    fail "the package's overrides hide lintian's error $tag"
done
grep -E '^[WIPX]: .*(unused|mismatched)-override' "$tmp/lintian" >&2 &&
  fail "lintian overrides that match nothing (above)"
[ $status = 0 ] || fail "lintian's status $status without an error line: $(cat "$tmp/lintian.err")"
sed 's/^/  lintian: /' "$tmp/lintian"
note "lintian: no errors, $(grep -c '^W: ' "$tmp/lintian") warnings," \
  "$(grep -c '^[IPX]: ' "$tmp/lintian") infos and pedantic or experimental tags," \
  "$(grep -c '^O: ' "$tmp/lintian") explained by the package's overrides"

# ---- The package's changelog and copyright ----
dpkg-deb -x "$deb" "$tmp/tree"
dpkg-deb -e "$deb" "$tmp/control"
doc="$tmp/tree/usr/share/doc/floemark"
field() { sed -n "s/^$1: //p" "$2"; }
zcat "$doc/changelog.gz" >"$tmp/changelog" || fail "changelog.gz is no gzip file"
dpkg-parsechangelog -l "$tmp/changelog" >"$tmp/newest" 2>"$tmp/parse.err" &&
  [ ! -s "$tmp/parse.err" ] || fail "dpkg-parsechangelog: $(cat "$tmp/parse.err")"
[ "$(field Version "$tmp/newest")" = "$version" ] ||
  fail "the changelog's newest version is $(field Version "$tmp/newest"), the package's $version"
[ "$(field Maintainer "$tmp/newest")" = "$(field Maintainer "$tmp/control/control")" ] ||
  fail "the changelog is signed by $(field Maintainer "$tmp/newest")," \
    "the package maintained by $(field Maintainer "$tmp/control/control")"
# Every release of WHATSNEW.TXT, with its date and its every item.
diff <(sed -n 's/^Version \([0-9.]*\)  (\(.*\))$/\1 \2/p' "$root/WHATSNEW.TXT") \
  <(dpkg-parsechangelog -l "$tmp/changelog" --all --format rfc822 |
    sed -n 's/^\(Version\|Date\): //p' | paste -d'|' - - |
    while IFS='|' read -r v d; do echo "$v $(date -u -d "$d" +%F)"; done) >&2 ||
  fail "the changelog's releases (+) are not WHATSNEW.TXT's (-)"
words() { tr -s ' \n' '  '; }
while IFS= read -r item; do
  grep -qF "* $item" <(sed -n '/^  \*/,/^$/p' "$tmp/changelog" | words | sed 's/ \* /\n* /g') ||
    fail "the changelog lacks WHATSNEW.TXT's item '$item'"
done < <(awk '/^- /{ if (item) print item; item = substr($0, 3); next }
  /^  +/ && item { sub(/^ +/, ""); item = item " " $0; next } { if (item) print item; item = "" }
  END { if (item) print item }' "$root/WHATSNEW.TXT")
note "changelog.gz: every release of WHATSNEW.TXT ($(grep -c '^Version ' "$root/WHATSNEW.TXT"))" \
  "and every item, the newest $version, signed by the maintainer"

licence=$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' \
  "$tmp/tree/usr/share/metainfo/org.example.floemark.metainfo.xml")
[ -n "$licence" ] || fail "the metainfo declares no project licence"
grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
  "$doc/copyright" || fail "the copyright file is not machine-readable"
[ "$(sed -n '/^Files: \*$/,/^$/s/^License: //p' "$doc/copyright")" = "$licence" ] ||
  fail "the copyright's licence for every file is not the metainfo's $licence"
[ -f "/usr/share/common-licenses/$licence" ] && grep -qF "/usr/share/common-licenses/$licence" \
  "$doc/copyright" || fail "the copyright does not point to the text of $licence"
note "copyright: machine-readable, every file under $licence as the metainfo says"
