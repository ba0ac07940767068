#!/usr/bin/env bash
# Builds the game's tests with ThreadSanitizer (clang) in their own folder
# and runs the tests of the image store's start-up, where image files are
# decoded on worker threads: any data race fails the run (scripts/tsan-run.sh
# says what ended it and starts it again only when the sanitizer itself
# failed to start).
#
# Usage: scripts/test-tsan.sh [build folder, default build-tsan]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-tsan}"
flags="-fsanitize=thread -g -O1"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
# The tests and the generated resources the start-up tests read. The
# resource tools are built with the same flags; what they report while they
# draw (inside the uninstrumented cairo) is not what this run checks.
TSAN_OPTIONS="report_bugs=0" cmake --build "$build" -j"$(nproc)" --target bramblecot_tests resources
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
bash scripts/tsan-run.sh "$build/tsan-run.log" "$build/tests/bramblecot_tests" \
  --gtest_filter='DrawDecod*:DrawJpegDirect*:DrawCatalogue*:DrawRealResources*:DrawPreload*:DrawImages*'
