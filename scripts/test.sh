#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
# The configurations are the presets of CMakePresets.json.
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test

# The whole suite again under AddressSanitizer, LeakSanitizer and UBSan, in a
# build directory of its own. Any report ends the test with an error.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
bash scripts/fuzz.sh
