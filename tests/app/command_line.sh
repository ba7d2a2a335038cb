#!/usr/bin/env bash
# --help and --version answer on stdout and exit 0 with no display at all,
# and a failed write of the answer is not reported as success.
# Usage: command_line.sh BIMZO VERSION
set -euo pipefail
bimzo=$1
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bimzo" "$@"; }
err=$(mktemp)
trap 'rm -f "$err"' EXIT

out=$(nodisplay --version 2>"$err") || fail "--version exited with $?"
[ "$out" = "bimzo $version" ] || fail "--version printed '$out'"
[ ! -s "$err" ] || fail "--version wrote to stderr: $(cat "$err")"
# Qt's own options may come first.
out=$(nodisplay -style fusion --version) || fail "-style fusion --version exited with $?"
[ "$out" = "bimzo $version" ] || fail "-style fusion --version printed '$out'"

out=$(nodisplay --help 2>"$err") || fail "--help exited with $?"
[ ! -s "$err" ] || fail "--help wrote to stderr: $(cat "$err")"
[[ $out == "Usage: bimzo "* ]] || fail "--help does not start with the usage: $out"
for option in --help --version; do
    grep -q -- "^  $option " <<<"$out" || fail "--help does not explain $option"
done

if nodisplay --version >/dev/full 2>/dev/null; then fail "--version to a full disk exited 0"; fi
echo "--help and --version ok"
