#!/usr/bin/env bash
# Runs a command with the openbox window manager managing the X display, as
# a player's desktop would: frames, stacking, focus on click.
# Usage (inside xvfb-run): with_openbox.sh command [args...]
set -uo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null' EXIT
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$wm" 2>/dev/null || { echo "FAIL: openbox did not start" >&2; exit 1; }
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "FAIL: openbox never came up" >&2; exit 1; }
"$@"
