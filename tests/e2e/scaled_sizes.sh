#!/usr/bin/env bash
# At scale 1.75 Qt asks for resize steps of 2 device pixels. A window manager
# that keeps to the size hints must still give each dialog its own size,
# logical size times 1.75: the game-over dialog 511 x 166, not 510 wide with
# a black column.
# Usage (inside with_openbox.sh): scaled_sizes.sh path/to/bimzo
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"

expect_size() {  # window, width, height, what
    local WIDTH HEIGHT X Y
    sleep 0.5  # the window manager's answer to the map
    eval "$(inner_geometry "$1")"
    [ "$WIDTH" = "$2" ] && [ "$HEIGHT" = "$3" ] || fail "$4 is ${WIDTH}x$HEIGHT, not ${2}x$3"
}

QT_SCALE_FACTOR=1.75 "$work/bimzo" &
pid=$!
main=$(wait_window "Bimzo！" 200 "$pid") || fail "no main window"
xdotool windowactivate --sync "$main" key F5
over=$(wait_window "ＧＡＭＥ" 600 "$pid") || fail "no game-over dialog"
expect_size "$over" 511 166 "the game-over dialog"
xdotool windowactivate --sync "$over" key Return
scores=$(wait_window "HI-SCORE" 100 "$pid") || fail "no high-score dialog"
expect_size "$scores" 294 180 "the high-score dialog"
echo "PASS: scaled sizes"
