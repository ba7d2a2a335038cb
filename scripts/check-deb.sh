#!/usr/bin/env bash
# Installs the .deb with apt, starts /usr/games/bimzo under Xvfb, plays one game
# to the name entry and checks that the score table lands in the player's data
# folder and never in /usr/games; then removes the package again. As root.
# Reads the table with the test build's score_file_tool (SCORE_FILE_TOOL).
# Usage: scripts/check-deb.sh path/to/bimzo_1.21_amd64.deb [screenshot.png]
set -euo pipefail
deb=$(realpath "$1")
shot=${2:+$(realpath -m "$2")}
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "run as root (apt install)"
tool=${SCORE_FILE_TOOL:-$(dirname "$0")/../build/test/tests/scores/score_file_tool}
[ -x "$tool" ] || fail "no $tool: cmake --build build/test --target score_file_tool"
dpkg-query -W -f='${Status}' bimzo 2>/dev/null | grep -q "install ok installed" \
    && fail "bimzo is installed already; remove it first"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" </dev/null >/dev/null
trap 'apt-get remove -y -qq bimzo </dev/null >/dev/null || true' EXIT
[ -x /usr/games/bimzo ] || fail "/usr/games/bimzo missing"
rm -f /usr/games/BIMZO.DAT

home=$(mktemp -d)
# Root could write /usr/games: the strictest case for where the table goes.
lib=$(cd "$(dirname "$0")/.." && pwd)/tests/e2e/lib.sh
HOME=$home XDG_DATA_HOME= xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -c '
    set -euo pipefail
    shot=$1
    . "$2"  # fail, wait_window
    /usr/games/bimzo & pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    main=$(wait_window "Bimzo！" 100) || fail "main window never appeared"
    xprop -id "$main" WM_CLASS | grep -q "\"bimzo\"" || fail "WM_CLASS: $(xprop -id "$main" WM_CLASS)"
    xprop -id "$main" _NET_WM_ICON | grep -q "Icon" || fail "no window icon"
    xdotool windowfocus --sync "$main"; sleep 0.5
    [ -z "$shot" ] || import -window "$main" "$shot"
    xdotool key F5   # no shots: a target passes the floor within 85 ticks
    g=$(wait_window "ＧＡＭＥ" 600) || fail "the game never ended"
    sleep 0.3
    xdotool windowfocus --sync "$g"; xdotool type --delay 50 "Deb"; xdotool key Return
    wait_window "HI-SCORE" 50 >/dev/null || fail "the high-score dialog did not open"
    echo "played one game to the high-score table"' bash "$shot" "$lib"

dat=$home/.local/share/bimzo/BIMZO.DAT
[ -f "$dat" ] || fail "no score table in $home/.local/share/bimzo"
name=$("$tool" load "$dat" | sed -n 's/^first //p') && [ "$name" = Deb ] || fail "the name is not in $dat"
[ ! -e /usr/games/BIMZO.DAT ] || fail "the game wrote /usr/games/BIMZO.DAT"
echo "score table: $dat ($(stat -c %s "$dat") bytes); nothing in /usr/games"
rm -rf "$home"

apt-get remove -y -qq bimzo </dev/null >/dev/null
trap - EXIT
[ ! -e /usr/games/bimzo ] || fail "/usr/games/bimzo left after remove"
echo "package installed, played and removed"
