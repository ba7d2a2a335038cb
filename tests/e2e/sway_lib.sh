# Helpers for driving a game under sway's headless backend; sourced, not run.
# Needs XDG_RUNTIME_DIR set and a plain user (sway refuses root).

# Starts sway with config $1, log $2; sets SWAYSOCK, WAYLAND_DISPLAY, sway_pid.
start_sway() {
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$1" >"$2" 2>&1 &
    sway_pid=$!
    for _ in $(seq 100); do
        SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -1)
        [ -n "$SWAYSOCK" ] && [ -S "$XDG_RUNTIME_DIR/wayland-1" ] && break
        sleep 0.1
    done
    [ -n "$SWAYSOCK" ] || fail "sway did not start: $(tail -5 "$2")"
    export SWAYSOCK WAYLAND_DISPLAY=wayland-1
}

# The windows as "title|x|y|width|height|focused|shell|output|id" (the inside,
# without sway's borders), bottom of the stack first.
sway_windows() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n, output):
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        at = c["name"] if c.get("type") == "output" else output
        if c.get("pid"):
            r, w = c["rect"], c["window_rect"]
            print("|".join(str(v) for v in (c["name"], r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"],
                                              int(c["focused"]), c.get("shell"), at, c["id"])))
        walk(c, at)
walk(json.load(sys.stdin), "")'
}
# Field $2 of the first window titled $1.
sway_field() { sway_windows | awk -F'|' -v t="$1" -v f="$2" '$1 == t { print $f; exit }'; }
sway_wait_window() {  # title, tenths of a second
    for _ in $(seq "$2"); do [ -n "$(sway_field "$1" 1)" ] && return 0; sleep 0.1; done
    return 1
}
sway_click() {  # x y
    swaymsg -q seat - cursor set "$1" "$2" && swaymsg -q seat - cursor press button1 &&
        swaymsg -q seat - cursor release button1
}
# Keys through a fresh virtual keyboard: the pause lets the client bind the
# keyboard that sway then offers before the first key comes.
sway_type() { wtype -s 300 "$@" -s 200; }
