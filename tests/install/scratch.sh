# Sourced by the package checks: fail() stops with a message, skip() with
# status 77; $work is a scratch folder, removed on exit.
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "skipped: $*"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
