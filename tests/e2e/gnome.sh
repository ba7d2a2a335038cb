#!/usr/bin/env bash
# GNOME on Wayland as a player has it: mutter nested in Xvfb as a Wayland
# compositor with its X server (XWayland), the game started with the
# session's variables (ubuntu:GNOME, wayland) and no QT_QPA_PLATFORM. The
# game must come up on XWayland, framed by mutter without a maximise action,
# its game-over dialog centred over the main window; "q", a click on the
# disabled main window, "r" and Enter must save "qr"; under Adwaita-Dark,
# F10, Down to End and Return must end it.
# Then the player's own QT_QPA_PLATFORM=wayland: no X window, and mutter,
# which refuses the dialog's activation, still cannot take the typed name.
# Every click and key goes into mutter's window on the Xvfb display, as a
# player's would, so mutter routes it and decides the focus on a click;
# XWayland is only read, for where the windows are. mutter places the first
# native window at the top left of its output and the dialog beside it.
# A missing tool skips the test with status 77, which CTest reports.
# Usage (inside xvfb-run): gnome.sh path/to/bimzo   ($BIMZO_SHOTS: a folder for screenshots)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib.sh
. "$here/lib.sh"

if [ "${1:-}" != --session ]; then
    need_tools mutter dbus-run-session xdotool xprop
    exec dbus-run-session -- bash "$0" --session "$1"
fi

copy_game "$2"
dat="$work/BIMZO.DAT"
private_runtime
outer_display=$DISPLAY outer_auth=${XAUTHORITY:-}
outer() { DISPLAY=$outer_display XAUTHORITY=$outer_auth "$@"; }
shot() {
    [ -z "${BIMZO_SHOTS:-}" ] || outer import -window root "$BIMZO_SHOTS/$1.png"
}
# A click at a point of mutter's output, and keys, through the outer server.
click_at() { outer xdotool mousemove $((stage_x + $1)) $((stage_y + $2)) sleep 0.1 click 1; }
keys() { outer xdotool "$@"; }

mutter --nested --wayland --wayland-display="bimzo-gnome-$$" >"$work/mutter.log" 2>&1 &
mutter_pid=$! helpers=$!
wait_until 100 grep -q 'Using public X11 display' "$work/mutter.log"
xwayland=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/mutter.log" | head -1)
[ -n "$xwayland" ] || fail "mutter did not start XWayland: $(tail -3 "$work/mutter.log")"
stage=  # mutter's window on the Xvfb display (xdotool finds none with --pid and --onlyvisible)
for _ in $(seq 50); do stage=$(xdotool search --all --pid "$mutter_pid" 2>/dev/null | head -1); [ -n "$stage" ] && break; sleep 0.1; done
[ -n "$stage" ] || fail "no window of mutter's on the Xvfb display"
eval "$(inner_geometry "$stage")"
stage_x=$X stage_y=$Y
wait_until 50 compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" >/dev/null
export DISPLAY=$xwayland XAUTHORITY
XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -1)

# The game as GNOME starts it, with more variables if given; $main is its window.
start_on_xwayland() {
    (cd "$work" && unset QT_QPA_PLATFORM && exec env "$@" WAYLAND_DISPLAY="bimzo-gnome-$$" \
        XDG_CURRENT_DESKTOP=ubuntu:GNOME XDG_SESSION_TYPE=wayland ./bimzo 2>>"$work/game.log") &
    pid=$!
    main=$(wait_window 'Bimzo！' 100 "$pid") || fail "the game did not come up on XWayland: $(tail -3 "$work/game.log")"
    sleep 1
}
# A click on the title bar mutter draws over a window gives it the keyboard;
# X, Y, WIDTH and HEIGHT are left holding the window's inside.
click_title() {
    eval "$(inner_geometry "$1")"
    click_at $((X + WIDTH / 2)) $((Y - 8))
    sleep 0.5
}

start_on_xwayland
actions=$(xprop -id "$main" _NET_WM_ALLOWED_ACTIONS)
case $actions in
    *MOVE*) ;;
    *) fail "mutter does not manage the main window: $actions" ;;
esac
case $actions in *MAXIMIZE*) fail "the main window can be maximised: $actions" ;; esac
shot gnome-main

click_title "$main"
keys key F5
gmend=$(wait_window 'ＧＡＭＥ' 900 "$pid") || fail "the game never ended"
sleep 0.5
main_cx=$((X + WIDTH / 2)) main_cy=$((Y + HEIGHT / 2)) main_bottom=$((Y + HEIGHT)) main_x=$X
near=$((HEIGHT / 6))  # the title bars differ in height
eval "$(inner_geometry "$gmend")"
[ $((X + WIDTH / 2 - main_cx)) -le 2 ] && [ $((main_cx - X - WIDTH / 2)) -le 2 ] &&
    [ $((Y + HEIGHT / 2 - main_cy)) -le "$near" ] && [ $((main_cy - Y - HEIGHT / 2)) -le "$near" ] ||
    fail "the game-over dialog is not centred over the main window"
keys type --delay 50 q
[ $((Y + HEIGHT + 40)) -lt $((main_bottom - 60)) ] || fail "no lane area below the dialog to click"
click_at $((main_x + 30)) $((Y + HEIGHT + 40))
sleep 0.5
shot gnome-after-click
keys type --delay 50 r
keys key Return
wait_until 50 test -s "$dat"
[ "$(first_name "$dat")" = qr ] || fail "the first place is '$(first_name "$dat")', not 'qr'"
wait_window 'HI-SCORE' 30 "$pid" >/dev/null || fail "HI-SCORE did not open"
sleep 0.5
shot gnome-name-saved
kill "$pid"; wait "$pid" 2>/dev/null
rm -f "$dat"

# File > End by keys alone, under the style GNOME's players install.
start_on_xwayland QT_STYLE_OVERRIDE=Adwaita-Dark
click_title "$main"
keys key F10 Down Down Down
sleep 0.5
shot gnome-menu-end
keys key Return
expect_end "F10, Down to End and Return"

(cd "$work" && QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="bimzo-gnome-$$" WAYLAND_DEBUG=1 \
    XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland exec ./bimzo 2>"$work/protocol.log") &
pid=$!
wait_until 100 grep -q 'set_title("Bimzo！")' "$work/protocol.log"
grep -q 'set_title("Bimzo！")' "$work/protocol.log" || fail "the game did not come up on Wayland when asked to"
wait_window 'Bimzo！' 10 "$pid" >/dev/null && fail "QT_QPA_PLATFORM=wayland was not obeyed: an X window"
sleep 1
click_at 130 300
sleep 0.5
keys key F5
wait_until 900 test -f "$dat"
[ -f "$dat" ] || fail "the native game never ended"
sleep 1
keys type --delay 50 q
click_at 40 500
sleep 0.5
shot gnome-native-after-click
keys type --delay 50 r
keys key Return
wait_until 50 test -s "$dat"
[ "$(first_name "$dat")" = qr ] ||
    fail "natively on mutter, keys after a click on the main window: the first place is '$(first_name "$dat")', not 'qr'"
echo "gnome: through XWayland, framed by mutter; natively when asked; 'qr' saved after a click on the main window in both"
