#!/usr/bin/env bash
# One X screen split into two monitors, side by side, the main window moved
# to the right one: the game-over dialog, the high-score table it opens and
# the main window that "まだやる" brings back open centred on that monitor,
# not on the primary one. Windows stand where the game puts them (no window
# manager), so their centres are compared to the monitor's to the pixel.
# Usage (inside xvfb-run, screen 1600x600): two_monitors.sh path/to/bimzo
#   ($BIMZO_SHOTS: a folder for a screenshot)
set -uo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need_tools xrandr
copy_game "$1"
dat="$work/BIMZO.DAT"

xrandr --setmonitor LEFT 800/211x600/158+0+0 screen >/dev/null 2>&1 &&
    xrandr --setmonitor RIGHT 800/211x600/158+800+0 none >/dev/null 2>&1 || fail "the X server cannot split its screen"

centred_right() {  # window id, what
    local X Y WIDTH HEIGHT
    eval "$(inner_geometry "$1")"
    [ $((2 * X + WIDTH)) -ge 2398 ] && [ $((2 * X + WIDTH)) -le 2402 ] &&
        [ $((2 * Y + HEIGHT)) -ge 598 ] && [ $((2 * Y + HEIGHT)) -le 602 ] ||
        fail "$2 is at $X,$Y ($WIDTH x $HEIGHT), not centred on the right monitor (centre 1200,300)"
}

(cd "$work" && QT_QPA_PLATFORM=xcb exec ./bimzo 2>"$work/game.log") &
pid=$!
main=$(wait_window 'Bimzo！' 100 "$pid") || fail "the main window never appeared"
sleep 0.5
xdotool windowmove --sync "$main" 1000 60
sleep 0.5
xdotool windowfocus --sync "$main" && xdotool key F5
gmend=$(wait_window 'ＧＡＭＥ' 900 "$pid") || fail "the game never ended"
sleep 0.5
centred_right "$gmend" "the game-over dialog"
[ -z "${BIMZO_SHOTS:-}" ] || import -window root "$BIMZO_SHOTS/two-monitors.png"
xdotool windowfocus --sync "$gmend" && xdotool type --delay 50 qr && xdotool key Return
table=$(wait_window 'HI-SCORE' 50 "$pid") || fail "HI-SCORE did not open"
sleep 0.3
centred_right "$table" "HI-SCORE"
[ "$(first_name "$dat")" = qr ] || fail "the first place is '$(first_name "$dat")', not 'qr'"

xdotool windowfocus --sync "$gmend" && xdotool key shift+Tab space  # まだやる
again=$(wait_window 'Bimzo！' 50 "$pid" "$main") || fail "まだやる brought no main window back"
sleep 0.3
centred_right "$again" "the main window after まだやる"
echo "two monitors: the game-over dialog, HI-SCORE and the new main window open centred on the main window's monitor"
