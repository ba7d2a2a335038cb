#!/usr/bin/env bash
# Plays one whole game through the real executable under Xvfb, from outside
# the process: F5, shots at the shooters, a name typed into the game-over
# dialog, Enter, then "もうやめ". Checks the bytes of BIMZO.DAT and a clean exit.
# Usage: play_game.sh path/to/bimzo   (run inside xvfb-run)
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"   # alone in an empty folder: every picture is inside it

"$work/bimzo" &
pid=$!
main=$(wait_window 'Bimzo！' 100) || fail "main window never appeared"
xdotool windowfocus --sync "$main"
xdotool key F5

# The client area is the window less its menu bar; shooters stand at its foot.
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$(( HEIGHT - 422 ))
# A few shots, then the targets are left to fall past the floor (at most
# 85 ticks of 500 ms).
for lane in 0 1 2 3 4; do
    xdotool mousemove $(( X + 32 + 48 * lane )) $(( Y + menu + 400 )) click 1
    sleep 0.6
done
gmend=$(wait_window 'ＧＡＭＥ' 600) || fail "the game never ended"

xdotool windowfocus --sync "$gmend"
xdotool type --delay 50 'Taro'
xdotool key Return
wait_window 'HI-SCORE' 50 >/dev/null || fail "the high-score dialog did not open"

dat="$work/BIMZO.DAT"
[ "$(stat -c %s "$dat")" -eq 42 ] || fail "BIMZO.DAT is $(stat -c %s "$dat") bytes, not 42"
score=$(u32 "$dat" 0)
[ "$(u16 "$dat" 4)" -eq 4 ] || fail "name length"
[ "$(first_name "$dat")" = "Taro" ] || fail "name bytes"
hits=$(u32 "$dat" 10)
[ $(( score % 5 )) -eq 0 ] && [ "$score" -gt 0 ] || fail "score $score"
[ "$hits" -ge 1 ] || fail "no hit counted ($hits)"
[ "$(u32 "$dat" 34)" -eq 121 ] || fail "tag"
[ "$(u32 "$dat" 38)" -eq $(( score * 5 )) ] || fail "check"

# The focus moved from the name box to "もうやめ"; Space presses it.
xdotool windowfocus --sync "$gmend"
xdotool key space
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
wait "$pid" || fail "the program ended with status $?"
echo "played: score $score, $hits hits"
