#!/usr/bin/env bash
# Installs what is missing, builds Bimzo (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/bimzo
