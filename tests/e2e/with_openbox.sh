#!/usr/bin/env bash
# Runs a command with the openbox window manager managing the X display, as
# a player's desktop would: frames, stacking, focus on click.
# Usage (inside xvfb-run): with_openbox.sh command [args...]
set -uo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null' EXIT
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 100 managed || fail "openbox never came up"
"$@"
