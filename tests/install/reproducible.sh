#!/usr/bin/env bash
# Checks the packages of package_builds.sh: a and b (two copies, two paths,
# umask 022 and 002, other time zones and locales, the same
# SOURCE_DATE_EPOCH) are the same bytes; c (no SOURCE_DATE_EPOCH) holds the
# same program and takes its times from the release in NEWS; modes and
# Installed-Size are what Debian's own tools would give.
# Usage: reproducible.sh PACKAGES_DIR RELEASE_EPOCH
set -euo pipefail
out=$1
release_epoch=$2
source "$(dirname "$0")/scratch.sh"

sum_a=$(sha256sum <"$out/a.deb" | cut -d' ' -f1)
sum_b=$(sha256sum <"$out/b.deb" | cut -d' ' -f1)
echo "sha256 a (umask 022, TZ=UTC, LC_ALL=C):            $sum_a"
echo "sha256 b (umask 002, TZ=Asia/Tokyo, LC_ALL=C.UTF-8): $sum_b"
if [ "$sum_a" != "$sum_b" ]; then
    if command -v diffoscope >/dev/null; then
        diffoscope --text - --max-report-size 20000 "$out/a.deb" "$out/b.deb" || true
    fi
    fail "the two builds differ"
fi

for p in a c; do dpkg-deb -x "$out/$p.deb" "$work/$p"; done
cmp "$work/a/usr/games/bimzo" "$work/c/usr/games/bimzo" \
    || fail "the program built without SOURCE_DATE_EPOCH differs"
echo "sha256 of the program in a and c: $(sha256sum <"$work/c/usr/games/bimzo" | cut -d' ' -f1)"
release=$(date -u -d "@$release_epoch" '+%Y-%m-%d %H:%M')
other=$(dpkg-deb --fsys-tarfile "$out/c.deb" | TZ=UTC tar -tv | grep -v " $release " || true)
[ -z "$other" ] || fail "without SOURCE_DATE_EPOCH, entries not dated $release: $other"

# Built under umask 002, still only the modes Debian expects.
modes=$(dpkg-deb -c "$out/b.deb" | awk '{print $1}' | sort -u | tr '\n' ' ')
[ "$modes" = "-rw-r--r-- -rwxr-xr-x drwxr-xr-x " ] || fail "modes in the package: $modes"

# Installed-Size as dpkg-gencontrol counts the files.
mkdir "$work/debian"
zcat "$work/a/usr/share/doc/bimzo/changelog.gz" >"$work/debian/changelog"
printf 'Source: bimzo\nMaintainer: %s\n\nPackage: bimzo\nArchitecture: any\nDescription: x\n x\n' \
    "$(dpkg-deb -f "$out/a.deb" Maintainer)" >"$work/debian/control"
debian=$(cd "$work" && dpkg-gencontrol -P"$work/a" -O 2>/dev/null | sed -n 's/^Installed-Size: //p')
ours=$(dpkg-deb -f "$out/a.deb" Installed-Size)
[ "$ours" = "$debian" ] || fail "Installed-Size is $ours, dpkg-gencontrol counts $debian"
echo "same bytes; modes $modes; Installed-Size $ours as dpkg-gencontrol counts"
