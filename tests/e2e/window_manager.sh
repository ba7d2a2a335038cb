#!/usr/bin/env bash
# The three windows under a real window manager (run inside with_openbox.sh),
# driven from outside like a player would. The About box, HI-SCORE and the
# game-over dialog are transient for the main window. At the game's end the
# player types "q", clicks the disabled main window beside the dialog, types
# "r" and presses Enter: the dialog stays above the main window and "qr" is
# saved. After play again the HI-SCORE left open belongs to the new window.
# Usage: window_manager.sh path/to/bimzo   ($BIMZO_SHOTS: a folder for screenshots)
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"
dat="$work/BIMZO.DAT"

hex() { printf '0x%x' "$1"; }
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*# //p'; }
# Position of a window in the window manager's stacking order, bottom first.
stack_index() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
        grep -nx "$(hex "$1")" | cut -d: -f1
}
expect_transient() {  # window, what
    [ "$(transient_for "$1")" = "$(hex "$main")" ] ||
        fail "$2 is transient for '$(transient_for "$1")', not the main window $(hex "$main")"
}
expect_above() {  # upper, lower, what
    local up low
    up=$(stack_index "$1") low=$(stack_index "$2")
    [ -n "$up" ] && [ -n "$low" ] && [ "$up" -gt "$low" ] ||
        fail "$3: stacking $(xprop -root _NET_CLIENT_LIST_STACKING)"
}
shot() { [ -z "${BIMZO_SHOTS:-}" ] || import -window root "$BIMZO_SHOTS/$1.png"; }
click_at() { xdotool mousemove "$1" "$2" sleep 0.1 click 1; }

visible() { xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | sort; }
# Menu title at x offset $1 in the menu bar; item $2 of $3.
menu() {
    local X Y WIDTH HEIGHT popup before
    before=$(visible)
    eval "$(inner_geometry "$main")"
    click_at $((X + $1)) $((Y + 9))
    for _ in $(seq 30); do
        popup=$(comm -13 <(echo "$before") <(visible) | head -1)
        [ -n "$popup" ] && break
        sleep 0.1
    done
    [ -n "$popup" ] || fail "the menu did not open"
    eval "$(inner_geometry "$popup")"
    click_at $((X + WIDTH / 2)) $((Y + (2 * $2 - 1) * HEIGHT / (2 * $3)))
}
file_menu() { menu 20 "$1" 3; }
help_menu() { menu 58 1 1; }

(cd "$work" && exec ./bimzo) &
pid=$!
main=$(wait_window 'Bimzo！' 100 "$pid") || fail "the main window never appeared"
sleep 0.5

help_menu
about=$(wait_window 'Bimzo！' 30 "$pid" "$main") || fail "the About box did not open"
expect_transient "$about" "the About box"
shot openbox-about
xdotool key Return
about_gone() { ! wait_window 'Bimzo！' 1 "$pid" "$main" >/dev/null; }
wait_until 30 about_gone || fail "the About box did not close"

file_menu 2
scores=$(wait_window 'HI-SCORE' 30 "$pid") || fail "HI-SCORE did not open"
expect_transient "$scores" "HI-SCORE"

file_menu 1
gmend=$(wait_window 'ＧＡＭＥ' 900 "$pid") || fail "the game never ended"
expect_transient "$gmend" "the game-over dialog"
sleep 0.5

xdotool type --delay 50 q
eval "$(inner_geometry "$gmend")"
below=$((Y + HEIGHT + 40))
eval "$(inner_geometry "$main")"
[ "$below" -lt $((Y + HEIGHT - 60)) ] || fail "no lane area below the dialog to click"
click_at $((X + 100)) "$below"
sleep 0.5
shot openbox-after-click
expect_above "$gmend" "$main" "after a click on the main window the game-over dialog is below it"
xdotool type --delay 50 r
xdotool key Return
sleep 0.5
[ -s "$dat" ] || fail "nothing was saved"
[ "$(first_name "$dat")" = "qr" ] || fail "the first place is '$(first_name "$dat")', not 'qr'"
xdotool search --all --onlyvisible --pid "$pid" --name 'HI-SCORE' | grep -qx "$scores" ||
    fail "HI-SCORE was not kept open"

# まだやる (HI-SCORE came up over it): a new main window; the open HI-SCORE follows it.
xdotool windowactivate --sync "$gmend"
eval "$(inner_geometry "$gmend")"
click_at $((X + 76)) $((Y + 76))
main=$(wait_window 'Bimzo！' 50 "$pid" "$main") || fail "play again showed no new main window"
sleep 0.5
xdotool search --all --onlyvisible --pid "$pid" --name 'ＧＡＭＥ' >/dev/null && fail "the game-over dialog stayed"
scores=$(wait_window 'HI-SCORE' 30 "$pid") || fail "HI-SCORE closed with the old main window"
expect_transient "$scores" "HI-SCORE after play again"
expect_above "$scores" "$main" "HI-SCORE is below the new main window"
shot openbox-play-again

file_menu 3
expect_end "File > End"
echo "window manager: dialogs transient for the main window; 'qr' saved after a click on the main window"
