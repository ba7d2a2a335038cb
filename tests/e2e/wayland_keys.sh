#!/usr/bin/env bash
# The name entry on Wayland, with real keys: the headless compositor has no
# keyboard, so here weston runs on its X11 backend inside Xvfb and xdotool
# types into weston's window, which passes the keys on to the game as a
# Wayland client. F5 starts a game, the targets reach the floor by
# themselves, "qr" and Enter go to the game-over dialog; BIMZO.DAT must then
# hold "qr", and the dialog's toplevel must have the main window's as parent.
# Run under xvfb-run. Usage: wayland_keys.sh path/to/bimzo
set -uo pipefail
. "$(dirname "$0")/lib.sh"

exe=$1
work=$(mktemp -d)
weston_pid= game_pid=
trap 'kill $game_pid $weston_pid 2>/dev/null; rm -rf "$work"' EXIT
cp "$exe" "$work/bimzo"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
socket="bimzo-keys-$$"

weston --backend=x11-backend.so --use-pixman --socket="$socket" --idle-time=0 \
       --width=640 --height=560 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start: $(tail -5 "$work/weston.log")"
for _ in $(seq 100); do
    output=$(xwininfo -root -children | awk '/"Weston Compositor/ { print $1; exit }')
    [ -n "$output" ] && break
    sleep 0.1
done
[ -n "$output" ] || fail "no weston window on the X server"

(cd "$work" && DISPLAY= WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    exec ./bimzo 2>"$work/protocol.log") &
game_pid=$!
for _ in $(seq 100); do grep -q 'set_title("Bimzo！")' "$work/protocol.log" && break; sleep 0.1; done
sleep 1  # the first frame, so that weston gives the window the keyboard

xdotool windowfocus --sync "$output" 2>/dev/null
xdotool key F5
# The dialog's load creates the score file.
for _ in $(seq 300); do [ -f "$work/BIMZO.DAT" ] && break; sleep 0.1; done
[ -f "$work/BIMZO.DAT" ] || fail "the game did not end, or the dialog did not read the file"
sleep 0.5
xdotool type --delay 50 qr
xdotool key Return
for _ in $(seq 100); do [ -s "$work/BIMZO.DAT" ] && break; sleep 0.1; done
[ "$(first_name "$work/BIMZO.DAT")" = qr ] || fail "the first place is '$(first_name "$work/BIMZO.DAT")', not 'qr'"

log="$work/protocol.log"
main=$(grep -m1 -- '-> xdg_toplevel@[0-9]*\.set_title("Bimzo！")' "$log" | sed 's/.*xdg_toplevel@\([0-9]*\)\..*/\1/')
over=$(grep -- '-> xdg_toplevel@[0-9]*\.set_title("ＧＡＭＥ　ＯＶＥＲ")' "$log" | tail -1 | sed 's/.*xdg_toplevel@\([0-9]*\)\..*/\1/')
[ -n "$main" ] && [ -n "$over" ] || fail "no main window or game-over dialog in the protocol log"
grep -q -- "-> xdg_toplevel@$over\.set_parent(xdg_toplevel@$main)" "$log" ||
    fail "the game-over dialog's toplevel has not the main window's as parent"
echo "wayland keys: 'qr' and Enter reached the game-over dialog and were saved"
