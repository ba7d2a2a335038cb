#!/usr/bin/env bash
# Builds the score fuzz targets with clang (libFuzzer, ASan, UBSan) in a build
# directory of their own and runs each for a bounded number of inputs.
# Fails on any crash, sanitizer report or broken invariant.
#
#   scripts/fuzz.sh [RUNS]        default 100000 runs per target
#   BUILD_DIR=... scripts/fuzz.sh (default build-fuzz, the preset's)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-100000}"
build="${BUILD_DIR:-$root/build-fuzz}"

cd "$root"
cmake --preset fuzz -B "$build" >/dev/null
# Only the score library and the fuzz targets; the rest of the game is not built.
cmake --build "$build" --target fuzz_score_load fuzz_record_score

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# The loader's seeds hold names of 65535 bytes, so its inputs may be that long.
for target in load:fuzz_score_load:70000 record:fuzz_record_score:4096; do
  IFS=: read -r kind name max_len <<<"$target"
  seeds="$root/fuzz/corpus/$kind"
  exe="$build/$name"
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  work="$build/corpus-$kind"
  mkdir -p "$work" "$build/artifacts"
  echo "== $name: $runs runs"
  "$exe" -runs="$runs" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
         -artifact_prefix="$build/artifacts/" "$work" "$seeds"
done
echo "fuzzing finished without findings"
