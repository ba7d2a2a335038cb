#!/usr/bin/env bash
# Takes the screenshots in docs/ (or SHOT_DIR) from the real executable under Xvfb.
# Usage: scripts/screenshots.sh [build/release/bimzo [score_file_tool]]
# (the tool defaults to the test build's; QT_SCALE_FACTOR and a style's
# variables apply; SHOT_SUFFIX is added to each file name, e.g.
# SHOT_SUFFIX=-scale2, or SHOT_SUFFIX=-dark with GNOME's dark theme:
# QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark)
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath "${1:-build/release/bimzo}")
tool=$(realpath "${2:-build/test/tests/scores/score_file_tool}")
[ -x "$tool" ] || { echo "no $tool: cmake --build build/test --target score_file_tool" >&2; exit 1; }
out=$(realpath "${SHOT_DIR:-docs}")
suffix=${SHOT_SUFFIX:-}
# A screen that holds the scaled windows.
screen=$(awk -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%dx%d", 1024 * s, 768 * s }')

run() {
    local work; work=$(mktemp -d)
    cp "$exe" "$work/bimzo"
    # A table whose third place no short game beats: the buttons state.
    if [ "$1" = buttons ]; then
        for place in "10000 32 たろう" "5000 16 次郎" "1000 5 "; do
            read -r score hits name <<<"$place"
            "$tool" record "$work/BIMZO.DAT" "$score" "$hits" "$name" >/dev/null
        done
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
