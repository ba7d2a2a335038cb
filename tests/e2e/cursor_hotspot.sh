#!/usr/bin/env bash
# The person cursor over 「得点」 as the X server gets it: at scale 2 the
# double-size drawing with its hot spot doubled, so the hand's tip clicks.
# Usage: cursor_hotspot.sh path/to/bimzo path/to/x_cursor_probe   (inside xvfb-run)
set -euo pipefail
probe=$2
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
copy_game "$1"
for scale in 1 2; do
    QT_SCALE_FACTOR=$scale "$work/bimzo" & pid=$!
    id=$(wait_window 'Bimzo！' 100 "$pid") || fail "no window at scale $scale"
    eval "$(xdotool getwindowgeometry --shell "$id")"
    # 「得点」 spans client pixels 8..65 x 8..33, below a menu bar.
    menu=$(( HEIGHT - 422 * scale ))
    xdotool mousemove $(( X + 30 * scale )) $(( Y + menu + 20 * scale ))
    # The window sets the shape once it has seen the pointer move: on a busy
    # machine that can take a while.
    want="$(( 32 * scale ))x$(( 32 * scale )) $(( 3 * scale )),$(( 1 * scale ))"
    for _ in $(seq 50); do
        got=$("$probe")
        [ "$got" = "$want" ] && break
        sleep 0.1
    done
    kill "$pid"; wait "$pid" 2>/dev/null || true
    [ "$got" = "$want" ] || fail "scale $scale: cursor $got, expected $want"
    echo "scale $scale: $got"
done
