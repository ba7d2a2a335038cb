#!/usr/bin/env bash
# The game as a native Wayland client: weston with its headless backend in a
# private runtime folder, the game on Qt's wayland platform, driven through
# AT-SPI (wayland_driver.py) since the headless backend has no input devices.
# From the protocol log (WAYLAND_DEBUG) it checks the main window's app id
# and fixed size, and that the About box, HI-SCORE and the game-over dialog
# each have the main window's toplevel as their parent.
# No key reaches a client without an input device, and Qt's accessibility
# bridge has no way to press Enter in a text box: the name is set through the
# editable-text interface and read back, and the file is checked as the
# dialog's load leaves it (created, empty). sway.sh and gnome.sh type the
# name and Enter for real, on their compositors.
# Usage: BIMZO_APP_ID=... wayland.sh path/to/bimzo   ($BIMZO_SHOTS: a folder for a screenshot)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib.sh
. "$here/lib.sh"

if [ "${1:-}" = --session ]; then  # inside dbus-run-session
    work=$2
    # The accessibility bus must be up before the game looks for it.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
        fail "no accessibility bus"
    (cd "$work" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=1 exec ./bimzo 2>"$work/protocol.log") &
    pid=$!
    /usr/bin/python3 "$here/wayland_driver.py" qr
    rc=$?
    if [ -n "${BIMZO_SHOTS:-}" ]; then
        (cd "$work" && timeout 20 weston-screenshooter && mv wayland-screenshot-*.png "$BIMZO_SHOTS/weston-game-over.png")
    fi
    kill -0 "$pid" 2>/dev/null || fail "the game ended by itself"
    kill "$pid"
    wait "$pid" 2>/dev/null
    exit "$rc"
fi

copy_game "$1"
export WAYLAND_DISPLAY="bimzo-test-$$" QT_QPA_PLATFORM=wayland
unset DISPLAY
private_runtime
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 \
       --width=800 --height=600 ${BIMZO_SHOTS:+--debug} >"$work/weston.log" 2>&1 &
helpers=$!
wait_until 100 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(tail -5 "$work/weston.log")"

dbus-run-session -- bash "$0" --session "$work" 2> >(grep -v 'dbus-daemon\|SpiRegistry' >&2) ||
    fail "the game could not be played through AT-SPI"

log="$work/protocol.log"
# Each toplevel as "id title parent", the parent as set before its title;
# ids are reused, so a parent counts only from the toplevel's creation on.
toplevels=$(awk '
    /-> .*get_toplevel\(new id xdg_toplevel@/ { match($0, /xdg_toplevel@[0-9]+/); id = substr($0, RSTART + 13, RLENGTH - 13); parent[id] = "none" }
    /-> xdg_toplevel@[0-9]+\.set_parent\(xdg_toplevel@/ { split($0, a, /xdg_toplevel@/); split(a[2], b, "."); split(a[3], c, ")"); parent[b[1]] = c[1] }
    /-> xdg_toplevel@[0-9]+\.set_title\(/ { split($0, a, /xdg_toplevel@/); split(a[2], b, "."); match($0, /"[^"]*"/); print b[1], substr($0, RSTART + 1, RLENGTH - 2), parent[b[1]] }
' "$log")
echo "$toplevels"
main=$(echo "$toplevels" | awk '$2 == "Bimzo！" { print $1; exit }')
[ -n "$main" ] || fail "no main window in the protocol log"
grep -q "xdg_toplevel@$main.set_app_id(\"$BIMZO_APP_ID\")" "$log" || fail "the app id is not the desktop entry's"
min=$(grep -m1 "xdg_toplevel@$main.set_min_size(" "$log" | sed 's/.*set_min_size//')
max=$(grep -m1 "xdg_toplevel@$main.set_max_size(" "$log" | sed 's/.*set_max_size//')
[ -n "$min" ] && [ "$min" = "$max" ] && [ "$min" != "(0, 0)" ] || fail "the main window is not of fixed size: min $min, max $max"
check_parent() {  # title, which one of that title
    local line
    line=$(echo "$toplevels" | awk -v t="$1" -v n="$2" '$2 == t && ++seen == n')
    [ -n "$line" ] || fail "no toplevel \"$1\" ($2)"
    [ "$(echo "$line" | awk '{print $3}')" = "$main" ] || fail "\"$1\" has the parent $(echo "$line" | awk '{print $3}'), not the main window $main"
}
check_parent 'Bimzo！' 2  # the About box
check_parent 'HI-SCORE' 1
check_parent 'ＧＡＭＥ　ＯＶＥＲ' 1
[ -f "$work/BIMZO.DAT" ] && [ ! -s "$work/BIMZO.DAT" ] || fail "the game-over dialog did not create an empty BIMZO.DAT"
echo "wayland: app id, fixed size and every dialog's parent are right"
