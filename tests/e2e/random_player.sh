#!/usr/bin/env bash
# A random player: for a bounded time, sends random clicks and keys (F5,
# Enter, Escape, Tab, letters, Japanese text, very long typing and pastes) to
# every visible window of the real executable, and starts it again whenever
# it ends. Fails when
#   - the program ends with a status other than 0 (a crash, a sanitizer report),
#   - BIMZO.DAT does not load whole, after every end and every few seconds,
#   - the program runs with no window shown, once what the player minimised
#     is restored as a taskbar would,
#   - the main window is the only window and takes no Start any more
#     (a click on 「得点」 moves nothing on it three times in a row): a
#     disabled window with no game-over dialog to lead back.
#
# Usage (inside xvfb-run):
#   BIMZO_SCORE_FILE_TOOL=path/to/score_file_tool random_player.sh path/to/bimzo [SECONDS]
# SECONDS defaults to $BIMZO_RANDOM_SECONDS or 75. $BIMZO_RANDOM_SEED repeats a run.
set -uo pipefail
seconds=${2:-${BIMZO_RANDOM_SECONDS:-75}}
seed=${BIMZO_RANDOM_SEED:-$(( $(date +%s) % 32768 ))}
RANDOM=$seed
echo "random player: $seconds s, seed $seed"

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"   # alone in an empty folder, as a player would have it
dat="$work/BIMZO.DAT"

runs=0 actions=0 starts_checked=0
fail() {
    echo "FAIL after $runs runs, $actions actions (seed $seed): $*" >&2
    exit 1
}

check_file() {
    [ -e "$dat" ] || return 0
    out=$("$BIMZO_SCORE_FILE_TOOL" load "$dat") || fail "BIMZO.DAT does not load: $out"
    case "$out" in *"damaged 1"*) fail "BIMZO.DAT is damaged: $(od -An -tx1 "$dat" | head -5)";; esac
}

start_game() {
    "$work/bimzo" &
    pid=$!
    runs=$((runs + 1))
    for _ in $(seq 100); do
        [ -n "$(game_windows)" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "no window 10 s after start"
}

# Ends with the program: its status must be 0.
reap() {
    wait "$pid"
    local rc=$?
    pid=
    [ "$rc" -eq 0 ] || fail "the program ended with status $rc"
    check_file
}

game_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null; }
# The About box has the main window's title too; the main window is the tall one.
main_window() {
    local w HEIGHT
    for w in $(xdotool search --onlyvisible --pid "$pid" --name 'Bimzo！' 2>/dev/null); do
        HEIGHT=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | sed -n 's/^HEIGHT=//p')
        [ "${HEIGHT:-0}" -ge 400 ] && { echo "$w"; return; }
    done
}

pick() { local a=("$@"); echo "${a[RANDOM % ${#a[@]}]}"; }

click_in() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 0
    [ "${WIDTH:-0}" -gt 2 ] && [ "${HEIGHT:-0}" -gt 2 ] || return 0
    local x=$((X + RANDOM % WIDTH)) y=$((Y + RANDOM % HEIGHT))
    # The shooters stand in the bottom rows of the main window: aim there often.
    [ "$HEIGHT" -ge 400 ] && (( RANDOM % 2 )) && y=$((Y + HEIGHT - 30 + RANDOM % 25))
    xdotool mousemove "$x" "$y" click --repeat $((1 + RANDOM % 2)) --delay 30 1 2>/dev/null
}

japanese=(やまだ 太郎 ビムゾ ｶﾀｶﾅ 表示 ソ能 ①Ⅱ ～ー 髙﨑)
keys=(F5 Return Return Escape Escape Tab space BackSpace a b z Q 5 alt+f alt+h Down Up Left Right)

long_text=$(printf 'LongName%.0s' $(seq 40))
clip_pid=
if command -v xclip >/dev/null; then
    # 70,000 characters of mixed text on the clipboard, served until the end.
    head -c 70000 /dev/zero | tr '\0' 'x' | sed 's/x\{100\}/名前ABC/g' | xclip -selection clipboard -loops 0 &
    clip_pid=$!
    helpers=$clip_pid
fi

# One random action on one of the given windows.
act() {
    local w k
    # shellcheck disable=SC2086
    w=$(pick $1)
    actions=$((actions + 1))
    case $((RANDOM % 100)) in
    [0-3][0-9]|4[0-4]) click_in "$w" ;;
    4[5-9]|[5-7][0-9])
        k=$(pick "${keys[@]}")
        xdotool windowfocus --sync "$w" key "$k" 2>/dev/null ;;
    8[0-7]) xdotool windowfocus --sync "$w" type --delay 5 "$(pick "${japanese[@]}")" 2>/dev/null ;;
    8[89]|9[0-1]) xdotool windowfocus --sync "$w" type --delay 1 "$long_text" 2>/dev/null ;;
    9[2-4]) [ -n "$clip_pid" ] && xdotool windowfocus --sync "$w" key ctrl+v 2>/dev/null ;;
    *) sleep 0.$((RANDOM % 5)) ;;
    esac
}

# openbox puts a minimise button on every window, the game-over dialog's
# too, and minimises the main window with it; a player brings them back from
# the taskbar.
restore_minimised() {
    local w
    for w in $(xdotool search --pid "$pid" 2>/dev/null); do
        xprop -id "$w" WM_STATE 2>/dev/null | grep -q Iconic && xdotool windowactivate "$w" 2>/dev/null
    done
}

snapshot() { import -silent -window "$1" rgb:- 2>/dev/null | md5sum; }

# With only the main window shown, either a game runs (the picture changes)
# or a click on 「得点」 must set one running. A click, not F5: with no window
# manager, xdotool may hand the keyboard to the main window while a modal box
# is up, which no window manager does; Qt then passes it on to the box, and
# once the box is closed it never learns that it has the keyboard again.
check_start() {
    local main=$1 attempt a b
    a=$(snapshot "$main")
    sleep 1.2
    b=$(snapshot "$main")
    [ "$a" != "$b" ] && { starts_checked=$((starts_checked + 1)); return 0; }
    for attempt in 1 2 3; do
        xdotool mousemove --window "$main" 36 34 click 1 2>/dev/null || return 0
        sleep 0.7
        a=$(snapshot "$main")
        sleep 1.2
        b=$(snapshot "$main")
        [ "$a" != "$b" ] && { starts_checked=$((starts_checked + 1)); return 0; }
        # Anything else showing up (the game ended, a dialog) ends the check.
        kill -0 "$pid" 2>/dev/null || return 0
        [ "$(game_windows | wc -l)" -eq 1 ] || return 0
    done
    # What was on screen, for the log: the tree of named windows and a picture.
    xwininfo -root -tree 2>/dev/null | grep -v '(has no name)' >&2
    import -window root "$PWD/random-player-stuck.png" 2>/dev/null && echo "picture: $PWD/random-player-stuck.png" >&2
    fail "the main window takes no Start and no other window is open"
}

deadline=$((SECONDS + seconds))
next_check=$((SECONDS + 10))
hidden_since=
while [ "$SECONDS" -lt "$deadline" ]; do
    if [ -z "$pid" ]; then
        start_game
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
        reap
        continue
    fi
    windows=$(game_windows)
    [ -n "$windows" ] && act "$windows"
    if [ -z "$windows" ]; then
        restore_minimised
        [ -n "$hidden_since" ] || hidden_since=$SECONDS
        [ $((SECONDS - hidden_since)) -lt 5 ] || { kill -0 "$pid" 2>/dev/null && fail "running with no window for 5 s"; }
    else
        hidden_since=
    fi
    if [ "$SECONDS" -ge "$next_check" ]; then
        next_check=$((SECONDS + 10))
        check_file
        main=$(main_window)
        if [ -n "$main" ] && [ "$(echo "$windows" | wc -w)" -eq 1 ]; then
            check_start "$main"
        fi
    fi
done

if [ -n "$pid" ]; then
    # Time is up: the last run is stopped from outside.
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
fi
check_file
echo "random player: $runs runs, $actions actions, $starts_checked start checks in $seconds s, seed $seed"
