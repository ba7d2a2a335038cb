# Sourced by the package checks: fail() stops with a message; $work is a
# scratch folder, removed on exit.
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
