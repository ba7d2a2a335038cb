#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBIMZO_TESTS=ON >/dev/null
cmake --build build/test
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300)

# The whole suite again under AddressSanitizer, LeakSanitizer and UBSan, in a
# build directory of its own. Any report ends the test with an error.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBIMZO_TESTS=ON -DBIMZO_SANITIZE=ON >/dev/null
cmake --build build/asan -j 2
supp="$PWD/tests/lsan.supp"
(cd build/asan &&
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:check_initialization_order=1 \
  LSAN_OPTIONS="suppressions=$supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600)
if [ -x scripts/fuzz.sh ] || [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh
fi
