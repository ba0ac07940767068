#!/usr/bin/env bash
# Sets everything up and starts the game in a window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build/run
exec ./bramblecot 1
