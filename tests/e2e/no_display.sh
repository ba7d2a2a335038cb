#!/usr/bin/env bash
# Starts the real executable where Qt cannot open a window system: no display
# named, a dead X display, a dead Wayland display, a Qt platform that does not
# exist (beside a working X server), a dead display given with -display. Each
# start must exit with status 1 (not an abort with a core dump), write nothing
# on stdout, and on stderr give first one line that names the real problem,
# then Qt's own messages, its fatal one last.
# Usage: no_display.sh path/to/bimzo
set -uo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"
exe=$work/bimzo
cd "$work" || exit 1
ulimit -c unlimited 2>/dev/null
mkdir -m 700 runtime

# X display numbers that no server listens on.
free_display() {
    local n=$1
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo "$n"
}
dead=$(free_display 90)

check() {  # what, the pattern the first line must match, then the environment and arguments
    local what=$1 first=$2 rc line1
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" "$@" \
        >out.txt 2>err.txt
    rc=$?
    [ "$rc" -eq 1 ] || fail "$what: status $rc, not 1; stderr: $(cat err.txt)"
    [ ! -s out.txt ] || fail "$what: wrote to stdout: $(cat out.txt)"
    line1=$(head -n 1 err.txt)
    grep -qE "$first" <<<"$line1" || fail "$what: the first line is not /$first/: $line1"
    [ "$(grep -c '^bimzo:' err.txt)" -eq 1 ] || fail "$what: more than one line of our own: $(cat err.txt)"
    grep -q 'failed to start because no Qt platform plugin could be initialized' err.txt \
        || fail "$what: Qt's fatal message is missing: $(cat err.txt)"
    ls core* >/dev/null 2>&1 && fail "$what: left a core dump"
    echo "$what: $line1 (+$(($(wc -l <err.txt) - 1)) lines from Qt)"
}

check "no display" '^bimzo: no display: neither DISPLAY nor WAYLAND_DISPLAY is set$' "$exe"
check "dead X display" "^bimzo: cannot open the X display \":$dead\" \\(from DISPLAY\\)$" DISPLAY=":$dead" "$exe"
check "dead X display on xcb" "^bimzo: cannot open the X display \":$dead\"" DISPLAY=":$dead" QT_QPA_PLATFORM=xcb "$exe"
if [ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' -print -quit)" ]; then
    check "dead Wayland display" '^bimzo: cannot open the Wayland display "bimzo-none" \(from WAYLAND_DISPLAY\)$' \
        WAYLAND_DISPLAY=bimzo-none QT_QPA_PLATFORM=wayland "$exe"
else
    fail "the Qt Wayland platform (qt6-wayland) is not installed"
fi

# With a display that works, the problem named must be the one given.
command -v Xvfb >/dev/null || fail "Xvfb (xvfb) is not installed"
live=$(free_display $((dead + 1)))
Xvfb ":$live" -nolisten tcp >/dev/null 2>&1 &
helpers=$!
wait_until 100 test -e "/tmp/.X11-unix/X$live" || fail "Xvfb :$live did not start"
check "no such platform" '^bimzo: cannot start: there is no Qt platform plugin "nosuch" \(given with -platform\)$' \
    DISPLAY=":$live" "$exe" -platform nosuch
grep -q 'Could not find the Qt platform plugin "nosuch"' err.txt || fail "Qt's warning is missing: $(cat err.txt)"
dead2=$(free_display $((live + 1)))
check "dead display given with -display" "^bimzo: cannot open the X display \":$dead2\" \\(given with -display\\)$" \
    DISPLAY=":$live" "$exe" -display ":$dead2"
grep -q "could not connect to display :$dead2" err.txt || fail "Qt's warning is missing: $(cat err.txt)"
