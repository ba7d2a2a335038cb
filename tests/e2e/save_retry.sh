#!/usr/bin/env bash
# A save that fails, tried again with the keyboard alone, through the real
# executable under a window manager: the lock beside BIMZO.DAT is a folder,
# so Enter in the name box brings one message box and no high-score table;
# Enter closes the box, the keyboard is back in the name box with the name,
# and once the folder is gone, Enter records the score.
# Usage: save_retry.sh path/to/bimzo   (inside xvfb-run, under with_openbox.sh)
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"
mkdir "$work/BIMZO.DAT.lock"

boxes() { xdotool search --onlyvisible --pid "$pid" --name 'Bimzo！' 2>/dev/null | wc -l; }
boxes_are() { [ "$(boxes)" -eq "$1" ]; }

"$work/bimzo" &
pid=$!
main=$(wait_window 'Bimzo！' 100 "$pid") || fail "main window never appeared"
xdotool windowactivate --sync "$main" key F5
gmend=$(wait_window 'ＧＡＭＥ' 600 "$pid") || fail "the game never ended"
xdotool windowactivate --sync "$gmend"
xdotool type --delay 50 'Retry'
before=$(boxes)   # the main window (and its leader, for some window managers)
xdotool key Return

wait_until 50 boxes_are $((before + 1)) || fail "not one message box after the failed save ($(boxes) windows, $before before)"
sleep 0.5
[ "$(boxes)" -eq $((before + 1)) ] || fail "more than one message box"
wait_window 'HI-SCORE' 5 "$pid" >/dev/null && fail "the high-score table opened after a failed save"
[ ! -s "$work/BIMZO.DAT" ] || fail "BIMZO.DAT changed"

xdotool key Return   # closes the box
wait_until 50 boxes_are "$before" || fail "the message box did not close"
rmdir "$work/BIMZO.DAT.lock"
sleep 0.5
xdotool key Return   # no focus given: it must already be in the name box
wait_window 'HI-SCORE' 50 "$pid" >/dev/null || fail "Enter did not record the score again"
[ "$(first_name "$work/BIMZO.DAT")" = "Retry" ] || fail "first place is '$(first_name "$work/BIMZO.DAT")', not Retry"
echo "recorded on the second Enter under Retry"
