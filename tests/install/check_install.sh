#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop and a
# distribution need: the program in games/, a valid desktop entry and metainfo
# under one id that a software centre keeps in Japanese too, the icons, the
# manual page and the Debian changelog and copyright.
# Usage: check_install.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1
version=$2
id=$3
source "$(dirname "$0")/scratch.sh"
root=$work
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr

[ -x "$usr/games/bimzo" ] || fail "games/bimzo missing or not executable"
[ ! -e "$usr/bin" ] || fail "something was installed into bin/: $(ls "$usr/bin")"
desktop=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "desktop entry missing"
[ -f "$metainfo" ] || fail "metainfo missing"
for size in 16 32 48 64 128; do
    [ -f "$usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "icon ${size}px missing"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "scalable icon missing"
# Nothing may carry the build machine's paths into the package.
if grep -rlF "$build" "$usr/share" >/dev/null; then fail "an installed file names the build directory"; fi

desktop-file-validate "$desktop" || fail "desktop-file-validate"
out=$(desktop-file-validate "$desktop" 2>&1)
[ -z "$out" ] || fail "desktop-file-validate has remarks: $out"
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli validate"

key() { sed -n "s/^$1=//p" "$desktop" | head -1; }
[ "$(key Exec)" = /usr/games/bimzo ] || fail "Exec is '$(key Exec)'"
[ "$(key TryExec)" = /usr/games/bimzo ] || fail "TryExec is '$(key TryExec)'"
[ "$(key Icon)" = "$id" ] || fail "Icon is '$(key Icon)'"
[ "$(key 'Name')" = "Bimzo！" ] || fail "Name is '$(key Name)'"
[ -n "$(key 'Comment\[ja\]')" ] || fail "no Japanese comment"
grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fail "categories"

grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" || fail "release $version"
grep -q "<id>$id</id>" "$metainfo" || fail "component id"
grep -q '<lang>ja</lang>' "$metainfo" || fail "metainfo does not name Japanese"

# What a software centre shows is the composed catalogue: it drops a
# translation that does not cover every paragraph.
compose=$root/compose
appstreamcli compose --no-net --origin=bimzo --result-root="$compose" "$root" >/dev/null \
    || fail "appstreamcli compose"
catalogue=$(zcat "$compose"/usr/share/swcatalog/xml/bimzo.xml.gz)
count() { grep -c -- "$1" <<<"$2" || true; }
# The component's own description, not a release's (those come after).
own() { sed '/<releases>/,$d' <<<"$catalogue" | awk -v tag="$1" '$0 ~ "<description" tag ">" {on=1} on {print} on && /<\/description>/ {exit}'; }
en=$(own ""); ja=$(own ' xml:lang="ja"')
[ -n "$ja" ] || fail "the composed catalogue has no Japanese description"
[ "$(count '<p>' "$ja")" -eq "$(count '<p>' "$en")" ] || fail "Japanese description is not whole: $ja"
[ "$(count '<p>' "$ja")" -ge 2 ] || fail "description has fewer than two paragraphs"
grep -q '<summary xml:lang="ja">' <<<"$catalogue" || fail "no Japanese summary in the catalogue"
grep -q "<release [^>]*version=\"$version\"" <<<"$catalogue" || fail "release $version not in the catalogue"

man=$usr/share/man/man6/bimzo.6.gz
[ -f "$man" ] || fail "man6/bimzo.6.gz missing"
lint=$(zcat "$man" | mandoc -T lint -W warning 2>&1) || fail "mandoc: $lint"
[ -z "$lint" ] || fail "mandoc -T lint: $lint"
lint=$(zcat "$man" | groff -ww -man -z 2>&1)
[ -z "$lint" ] || fail "groff -ww: $lint"
zcat "$man" | grep -q "^\.TH BIMZO 6 [0-9-]* \"bimzo $version\"" || fail "man page is not of version $version"

doc=$usr/share/doc/bimzo
zcat "$doc/changelog.gz" | head -1 | grep -qx "bimzo ($version) unstable; urgency=medium" \
    || fail "changelog.gz does not start with $version"
head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    || fail "copyright is not machine-readable"
echo "install layout, desktop entry, metainfo, manual and package docs ok"
