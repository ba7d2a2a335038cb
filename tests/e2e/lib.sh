# Helpers shared by the end-to-end scripts; sourced, not run.

fail() { echo "FAIL: $*" >&2; exit 1; }

# A copy of the executable in a fresh folder, $work/bimzo; the folder and
# the process $pid, once started, go at exit.
copy_game() {
    work=$(mktemp -d)
    pid=
    trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
    cp "$1" "$work/bimzo"
}

# The first visible window whose title matches; waits up to $2 tenths of a second.
# With $3, only windows of that process.
wait_window() {
    local id
    for _ in $(seq "$2"); do
        if [ -n "${3:-}" ]; then
            id=$(xdotool search --all --onlyvisible --pid "$3" --name "$1" 2>/dev/null | head -1)
        else
            id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        fi
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Little-endian fields of a file: path, offset.
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }

# The name of BIMZO.DAT's first place.
first_name() { dd if="$1" bs=1 skip=6 count="$(u16 "$1" 4)" 2>/dev/null; }

# X, Y, WIDTH, HEIGHT of a window's inside, on the screen. Unlike xdotool's
# geometry this stays right under a window manager's frames.
inner_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "X=" $4} /Absolute upper-left Y/ {print "Y=" $4}
                             /^ *Width:/ {print "WIDTH=" $2} /^ *Height:/ {print "HEIGHT=" $2}'
}
