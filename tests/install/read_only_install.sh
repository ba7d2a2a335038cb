#!/usr/bin/env bash
# `cmake --install` from a build tree the installer cannot write, into a
# writable root: every file of the package arrives (the install only copies),
# the desktop entry names the configured prefix, and the command succeeds.
# Root ignores file modes, so as root the install runs without capabilities.
# Usage: read_only_install.sh BUILD_DIR DEB
set -euo pipefail
build=$1
deb=$2
source "$(dirname "$0")/scratch.sh"
chmod -R a-w "$build"
trap 'chmod -R u+w "$build"; rm -rf "$work"' EXIT
run=()
[ "$(id -u)" -ne 0 ] || run=(setpriv --inh-caps=-all --bounding-set=-all)
if "${run[@]}" touch "$build/probe" 2>/dev/null; then fail "the build tree is writable after chmod"; fi

DESTDIR=$work/root "${run[@]}" cmake --install "$build" >"$work/log" 2>&1 \
    || { cat "$work/log"; fail "cmake --install from a read-only build tree"; }
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
installed=$(cd "$work/root$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | LC_ALL=C sort)
[ "$installed" = "$packaged" ] || fail "installed files differ from the package's: $(diff <(echo "$packaged") <(echo "$installed"))"
grep -qx "Exec=$prefix/games/bimzo" "$work/root$prefix/share/applications/org.example.Bimzo.desktop" \
    || fail "the desktop entry does not name $prefix/games/bimzo"
echo "$(wc -l <<<"$installed") files installed from a read-only build tree into $prefix"
