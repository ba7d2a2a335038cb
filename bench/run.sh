#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them all against their references,
# then prints the table of bench/README.md. One command:
#     bash bench/run.sh
# BENCH_BUILD_DIR chooses the build folder (default build/bench). Takes about
# six minutes; run it on an otherwise idle machine, as timing is shared.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh bench

build=${BENCH_BUILD_DIR:-build/bench}
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null
bin=$build/bench
out=$build/bench-results.txt
: >"$out"

# A private X server on a free display.
xvfb_fd=$(mktemp)
Xvfb -displayfd 9 -noreset -screen 0 1024x768x24 -nolisten tcp 9>"$xvfb_fd" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$xvfb_fd"' EXIT
for _ in $(seq 50); do [ -s "$xvfb_fd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$xvfb_fd")"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

step() { echo "== $*" >&2; }
keep() { grep -v '^#' | tee -a "$out" >/dev/null; }

echo "machine=$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(free -g | awk '/Mem:/{print $2}') GiB" >>"$out"
echo "load_before=$(cut -d' ' -f1-3 /proc/loadavg)" >>"$out"

step "rules: one tick and one shot (Google Benchmark)"
"$bin/rules_bench" --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null |
  awk -F, '/^"BM_/ {gsub(/"/, "", $1); printf "rules_%s_ns=%.1f\n", $1, $4}' | keep

step "start-up and peak memory: 21 paired runs under Xvfb"
"$bin/xstartup" pairs 21 "$build/bimzo" "$bin/bare_window" | keep

step "start-up: instructions to the first paint (callgrind, offscreen)"
for p in bimzo_first_paint captioned_window_first_paint bare_window_first_paint; do
  n=$(QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file=/dev/null "$bin/$p" 2>&1 |
      awk '/Collected/ {print $NF}' | tail -n1)
  echo "instructions_$p=$n" >>"$out"
done

step "idle: 10 s with no game (from outside and in-process)"
"$bin/xstartup" idle 10 "$build/bimzo" | keep
"$bin/game_harness" idle 10 2>/dev/null | keep

step "memory: 200 play-again cycles"
"$bin/game_harness" cycles 200 2>/dev/null | keep

# A tick's work takes about a millisecond, so the processor time of a round
# is small and scatters with where the scheduler puts the process and the X
# server: many long rounds, and the median of their ratios.
step "in play: 7 alternating rounds of 20 s, game and reference"
for round in 1 2 3 4 5 6 7; do
  "$bin/game_harness" play 20 2>/dev/null | sed "s/^/r${round}_/" | keep
  "$bin/game_harness" play-reference 20 2>/dev/null | sed "s/^/r${round}_/" | keep
done

step "clock: a whole game through every level"
"$bin/game_harness" clock 60 2>/dev/null | keep

step "response: 200 real presses"
"$bin/game_harness" response 200 2>/dev/null | keep
echo "load_after=$(cut -d' ' -f1-3 /proc/loadavg)" >>"$out"

bash bench/table.sh "$out"
