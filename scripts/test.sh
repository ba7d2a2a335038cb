#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBIMZO_TESTS=ON >/dev/null
cmake --build build/test
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300)
if [ -x scripts/fuzz.sh ] || [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh
fi
