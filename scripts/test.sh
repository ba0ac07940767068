#!/usr/bin/env bash
# Sets everything up and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
ctest --output-on-failure -j"$(nproc)"
