#!/usr/bin/env bash
# Starts the real executable with no display it can open: no display named,
# a dead X display, a dead Wayland display. Each start must print one line
# naming the problem on stderr, nothing on stdout, and exit with status 1
# (not an abort with a core dump).
# Usage: no_display.sh path/to/bimzo
set -uo pipefail
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
ulimit -c unlimited 2>/dev/null
mkdir -m 700 runtime

fail() { echo "FAIL: $*" >&2; exit 1; }

# An X display number that no server listens on.
dead=90
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done

check() {  # what, then the environment changes
    local what=$1 rc lines
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" "$@" \
        "$exe" >out.txt 2>err.txt
    rc=$?
    [ "$rc" -eq 1 ] || fail "$what: status $rc, not 1; stderr: $(cat err.txt)"
    [ ! -s out.txt ] || fail "$what: wrote to stdout: $(cat out.txt)"
    lines=$(wc -l <err.txt)
    [ "$lines" -eq 1 ] || fail "$what: $lines lines on stderr, not 1: $(cat err.txt)"
    grep -q '^bimzo: .*display' err.txt || fail "$what: the line names no display: $(cat err.txt)"
    ls core* >/dev/null 2>&1 && fail "$what: left a core dump"
    echo "$what: $(cat err.txt)"
}

check "no display"
check "dead X display" DISPLAY=":$dead"
check "dead X display on xcb" DISPLAY=":$dead" QT_QPA_PLATFORM=xcb
if [ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' -print -quit)" ]; then
    check "dead Wayland display" WAYLAND_DISPLAY=bimzo-none QT_QPA_PLATFORM=wayland
else
    fail "the Qt Wayland platform (qt6-wayland) is not installed"
fi
