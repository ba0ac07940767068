#!/usr/bin/env bash
# Installs what is missing, then configures and builds the game, its
# resources and its tests into build/ (the game and resources in build/run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
