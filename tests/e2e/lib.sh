# Helpers shared by the end-to-end scripts; sourced, not run.

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
# Skips unless every command named is installed.
need_tools() {
    local tool
    for tool; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done
}

# A copy of the executable in a fresh folder, $work/bimzo. At exit the game
# ($pid) and what was started for it ($helpers) are stopped and the folder goes.
copy_game() {
    work=$(mktemp -d)
    pid= helpers=
    trap 'kill $pid $helpers 2>/dev/null || true; rm -rf "$work"' EXIT
    cp "$1" "$work/bimzo"
}

# Runs a command every tenth of a second until it succeeds, at most $1 times.
wait_until() {
    local n=$1
    shift
    for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
    return 1
}

# The first visible window whose title matches; waits up to $2 tenths of a second.
# With $3, only windows of that process; with $4, not that window.
wait_window() {
    local id
    for _ in $(seq "$2"); do
        if [ -n "${3:-}" ]; then
            id=$(xdotool search --all --onlyvisible --pid "$3" --name "$1" 2>/dev/null | grep -vx "${4:-}" | head -1)
        else
            id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        fi
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits 5 s for the game to end after $1; it must end with status 0.
ended() { ! kill -0 "$pid" 2>/dev/null; }
expect_end() {
    wait_until 50 ended || fail "$1 did not end the program"
    wait "$pid" || fail "$1: the program ended with status $?"
    pid=
}

# A private runtime folder for the compositor's socket, as a session has.
private_runtime() {
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR="$work/runtime"
}

# The name of the first place in a score file, as the game loads it; nothing
# when the file does not load. CTest names the tool.
first_name() { "${BIMZO_SCORE_FILE_TOOL:?score_file_tool}" load "$1" 2>/dev/null | sed -n 's/^first //p'; }

# X, Y, WIDTH, HEIGHT of a window's inside, on the screen. Unlike xdotool's
# geometry this stays right under a window manager's frames.
inner_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "X=" $4} /Absolute upper-left Y/ {print "Y=" $4}
                             /^ *Width:/ {print "WIDTH=" $2} /^ *Height:/ {print "HEIGHT=" $2}'
}
