#!/usr/bin/env bash
# The game as a native Wayland client of sway, a compositor that raises and
# gives the keyboard to any window clicked, and only marks a window urgent
# when a program asks to activate it. Headless, clicked through a virtual
# pointer (wayland_pointer.py) and sway's seat commands, typed into with
# wtype. The session is sway's own with no QT_QPA_PLATFORM, so the game
# must stay on Wayland by itself.
# - Game over: "q", a click on the disabled main window beside the dialog,
#   "r", Enter: "qr" reaches BIMZO.DAT. The game-over dialog, moved to the
#   second output, stays there, unmoved, when the main window is clicked:
#   it is asked back in front, never unmapped and mapped again.
# - Play again; HI-SCORE, left open, goes behind the main window on a click
#   (sway stacks so) and comes to the front with File > HI-SCORE.
# - About, then a click on the main window: the box stays open where it is.
# - The main window's close box with HI-SCORE open: the program runs on
#   until HI-SCORE's OK.
# sway refuses to run as root; as root the script runs itself as nobody.
# A missing tool skips the test with status 77, which CTest reports.
# Usage: sway.sh path/to/bimzo   ($BIMZO_SHOTS: a folder for screenshots, taken with grim)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib.sh
. "$here/lib.sh"
# shellcheck source=sway_lib.sh
. "$here/sway_lib.sh"

if [ "${1:-}" != --inside ]; then
    need_tools sway swaymsg wtype python3 setpriv
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # Copies that a plain user can read wherever the source tree lies.
    cp "$1" "$work/bimzo"
    cp "$here"/{sway.sh,sway_lib.sh,lib.sh,wayland_pointer.py} "$BIMZO_SCORE_FILE_TOOL" "$work/"
    export BIMZO_SCORE_FILE_TOOL=$work/score_file_tool
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody:nogroup "$work"
        setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work" bash "$work/sway.sh" --inside "$work"
    else
        bash "$work/sway.sh" --inside "$work"
    fi
    rc=$?
    [ -z "${BIMZO_SHOTS:-}" ] || cp "$work"/sway-*.png "$BIMZO_SHOTS/" 2>/dev/null
    exit "$rc"
fi

work=$2
dat="$work/BIMZO.DAT"
private_runtime
printf 'output HEADLESS-1 resolution 800x600 position 0 0\nfocus_on_window_activation urgent\n' >"$work/config"
sway_pid= pointer_pid= pid=
trap 'kill $pid $pointer_pid $sway_pid 2>/dev/null' EXIT
start_sway "$work/config" "$work/sway.log"
swaymsg -q create_output && swaymsg -q output HEADLESS-2 resolution 800x600 position 800 0 ||
    fail "sway made no second output"
python3 "$here/wayland_pointer.py" >/dev/null & pointer_pid=$!
sleep 0.5
kill -0 "$pointer_pid" 2>/dev/null || fail "no virtual pointer"

shot() { [ -z "${BIMZO_SHOTS:-}" ] || grim "$work/sway-$1.png"; }
# Geometry of the main window (the first one of the process's title), as X Y W H.
main_geometry() { sway_windows | awk -F'|' '$1 == "Bimzo！" && $4 == 256 { print $2, $3, $4, $5; exit }'; }
main_click() {  # offset x, offset y inside the main window
    local X Y
    read -r X Y _ < <(main_geometry)
    sway_click $((X + $1)) $((Y + $2))
    sleep 0.5
}
# Menu title at x offset $1; item $2 (21 pixels a row under a 21-pixel menu bar).
menu() { main_click "$1" 9; main_click $(($1 + 20)) $((21 + 12 + 21 * ($2 - 1))); }
top() { sway_windows | tail -1; }
expect_top() {  # title, what
    [ "$(top | cut -d'|' -f1)" = "$1" ] && [ "$(top | cut -d'|' -f4)" != 256 ] ||
        fail "$2: the windows, top last: $(sway_windows | tr '\n' ';')"
}

(cd "$work" && unset QT_QPA_PLATFORM DISPLAY &&
    XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland exec ./bimzo 2>"$work/game.log") &
pid=$!
sway_wait_window 'Bimzo！' 100 || fail "the main window never appeared: $(tail -3 "$work/game.log")"
sleep 1
[ "$(sway_field 'Bimzo！' 7)" = xdg_shell ] || fail "the game is not a native Wayland client under sway"

window_click() {  # title, offset x, offset y
    sway_click $(($(sway_field "$1" 2) + $2)) $(($(sway_field "$1" 3) + $3))
    sleep 0.5
}

sway_type -k F5
wait_until 900 test -f "$dat"
sway_wait_window 'ＧＡＭＥ　ＯＶＥＲ' 50 || fail "the game never ended"
sleep 0.5
sway_type q
main_click 30 380
shot after-click
sway_type r -k Return
wait_until 50 test -s "$dat"
[ "$(first_name "$dat")" = qr ] || fail "keys after a click on the disabled main window: the first place is '$(first_name "$dat")', not 'qr'"
sleep 0.5
expect_top 'HI-SCORE' "after Enter the high-score table is not in front"
shot name-saved
swaymsg -q '[title="ＧＡＭＥ"] focus' && swaymsg -q 'move to output HEADLESS-2' || fail "cannot move the game-over dialog"
sleep 0.5
moved=$(sway_windows | grep '^ＧＡＭＥ' | cut -d'|' -f2,3,8)
[ "${moved##*|}" = HEADLESS-2 ] || fail "the game-over dialog did not go to HEADLESS-2: $moved"
main_click 30 380
sleep 1
shot moved
[ "$(sway_windows | grep '^ＧＡＭＥ' | cut -d'|' -f2,3,8)" = "$moved" ] ||
    fail "the main window clicked, the dialog moved from $moved: $(sway_windows | tr '\n' ';')"
[ "$(sway_field 'Bimzo！' 6)" = 1 ] || fail "the click did not activate the main window"

window_click 'ＧＡＭＥ　ＯＶＥＲ' 30 76  # まだやる
sleep 0.5
main_click 30 380
menu 20 2
expect_top 'HI-SCORE' "File > HI-SCORE did not bring the open table to the front"

menu 58 1
for _ in $(seq 30); do [ "$(sway_windows | grep -c '^Bimzo！|')" -eq 2 ] && break; sleep 0.1; done
about=$(sway_windows | awk -F'|' '$1 == "Bimzo！" && $4 != 256 { print $2 "|" $3 "|" $9 }')
main_click 30 380
shot about
[ "$(sway_windows | awk -F'|' '$1 == "Bimzo！" && $4 != 256 { print $2 "|" $3 "|" $9 }')" = "$about" ] ||
    fail "after a click on the main window the About box moved or went: $(sway_windows | tr '\n' ';')"
swaymsg -q "[con_id=${about##*|}] focus" && sleep 0.5
sway_type -k Return
sleep 0.5
[ "$(sway_windows | grep -c '^Bimzo！|')" -eq 1 ] || fail "Enter did not close the About box"

swaymsg -q '[title="^Bimzo！$"] kill' || fail "no main window to close"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "closing the main window ended the program with HI-SCORE open"
sway_wait_window 'HI-SCORE' 10 || fail "HI-SCORE closed with the main window"
shot alone
for _ in 1 2 3; do  # OK; a click may come before the remapped table takes the pointer
    window_click 'HI-SCORE' 84 88
    for _ in $(seq 50); do [ -z "$(sway_field 'HI-SCORE' 1)" ] && break 2; sleep 0.1; done
done
wait_until 300 ended
kill -0 "$pid" 2>/dev/null && fail "the program kept running after its last window closed: $(sway_windows | tr "\n" ";")"
wait "$pid" || fail "the program ended with status $?: $(tail -40 "$work/game.log")"
pid=
echo "sway: 'qr' saved after a click on the disabled main window; a dialog moved to another output stays there; HI-SCORE outlives the main window"
