#!/usr/bin/env bash
# Packs the build into a .deb in a temporary folder and runs lintian on it:
# any error or warning fails; the remaining notes are printed.
# Usage: lintian_deb.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/bimzo_*.deb)
# The levels are read from the tags; a non-zero exit means lintian itself failed.
tags=$(lintian --fail-on none --pedantic --display-info --display-experimental --tag-display-limit 0 "$deb" 2>/dev/null) \
    || fail "lintian could not check $deb"
echo "${tags:-lintian: no tags}"
if grep -q '^[EW]: ' <<<"$tags"; then fail "lintian reports errors or warnings"; fi
echo "lintian: no errors, no warnings"
