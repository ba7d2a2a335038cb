#!/usr/bin/env bash
# Packs the build into a .deb in a temporary folder, or takes a .deb made
# already, and runs lintian on it, pedantic and experimental tags included:
# any error or warning fails; with --silent (the README's Release package,
# hardened) so does any tag at all. Without it the tags are printed: a test
# build is not hardened, which lintian notes.
# Usage: lintian_deb.sh [--silent] BUILD_DIR|DEB
set -euo pipefail
silent=false
[ "$1" != --silent ] || { silent=true; shift; }
source "$(dirname "$0")/scratch.sh"
out=$work

if [ -f "$1" ]; then
    deb=$1
else
    (cd "$1" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
    deb=$(ls "$out"/bimzo_*.deb)
fi
# The levels are read from the tags; a non-zero exit means lintian itself failed.
tags=$(lintian --fail-on none --pedantic --display-info --display-experimental --tag-display-limit 0 "$deb" 2>/dev/null) \
    || fail "lintian could not check $deb"
echo "${tags:-lintian --pedantic: no tags}"
if grep -q '^[EW]: ' <<<"$tags"; then fail "lintian reports errors or warnings"; fi
if $silent && [ -n "$tags" ]; then fail "lintian has remarks"; fi
