#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop needs:
# the program, a valid desktop entry and metainfo under one id, and the icons.
# Usage: check_install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
id=org.example.Bimzo
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr

[ -x "$usr/bin/bimzo" ] || fail "bin/bimzo missing or not executable"
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
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

key() { sed -n "s/^$1=//p" "$desktop" | head -1; }
[ "$(key Exec)" = bimzo ] || fail "Exec is '$(key Exec)'"
[ "$(key Icon)" = "$id" ] || fail "Icon is '$(key Icon)'"
[ "$(key 'Name')" = "Bimzo！" ] || fail "Name is '$(key Name)'"
[ -n "$(key 'Comment\[ja\]')" ] || fail "no Japanese comment"
grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fail "categories"

grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" || fail "release $version"
grep -q "<id>$id</id>" "$metainfo" || fail "component id"
echo "install layout, desktop entry and metainfo ok"
