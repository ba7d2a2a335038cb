#!/usr/bin/env bash
# Takes the screenshots in docs/ from the real executable under Xvfb.
# Usage: scripts/screenshots.sh [build/release/bimzo]   (QT_SCALE_FACTOR and a
# style's variables apply; SHOT_SUFFIX is added to each file name, e.g.
# SHOT_SUFFIX=-scale2, or SHOT_SUFFIX=-dark with GNOME's dark theme:
# QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark)
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath "${1:-build/release/bimzo}")
out=$(realpath docs)
suffix=${SHOT_SUFFIX:-}
# A screen that holds the scaled windows.
screen=$(awk -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%dx%d", 1024 * s, 768 * s }')

run() {
    local work; work=$(mktemp -d)
    cp "$exe" "$work/bimzo"
    # A table whose third place no short game beats: the buttons state.
    if [ "$1" = buttons ]; then
        printf '\x10\x27\x00\x00\x06\x00\x82\xbd\x82\xeb\x82\xa4\x20\x00\x00\x00' >"$work/BIMZO.DAT"
        printf '\x88\x13\x00\x00\x04\x00\x8e\x9f\x98\x59\x10\x00\x00\x00' >>"$work/BIMZO.DAT"
        printf '\xe8\x03\x00\x00\x00\x00\x05\x00\x00\x00\x79\x00\x00\x00\x50\xc3\x00\x00' >>"$work/BIMZO.DAT"
    fi
    xvfb-run -a -s "-noreset -screen 0 ${screen}x24" bash -c '
        set -e
        "$0/bimzo" & pid=$!
        . "$4"  # wait_window
        main=$(wait_window "Bimzo！" 200); xdotool windowfocus --sync $main; sleep 0.5
        if [ "$1" = main ]; then import -window $main "$2/main-window$3.png"; kill $pid; exit; fi
        xdotool key F5
        g=$(wait_window "ＧＡＭＥ" 200); sleep 0.5
        if [ "$1" = buttons ]; then import -window $g "$2/game-over-buttons$3.png"; kill $pid; exit; fi
        import -window $g "$2/game-over-name$3.png"
        xdotool windowfocus --sync $g; xdotool type "Taro"; sleep 0.3
        import -window $g "$2/game-over-typed$3.png"
        xdotool key Return
        h=$(wait_window "HI-SCORE" 200); sleep 0.5
        import -window $h "$2/high-scores$3.png"
        import -window root "$2/whole-game$3.png"
        kill $pid' "$work" "$1" "$out" "$suffix" "$PWD/tests/e2e/lib.sh"
    rm -rf "$work"
}
run main
run buttons
run name
