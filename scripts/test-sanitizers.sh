#!/usr/bin/env bash
# Builds the program, the resource tools and the tests with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# the whole suite there with leak detection on. Every sanitizer report is
# written to build-asan/sanitizer-reports/ (also those of processes whose
# failure a test expects, such as death tests); any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

root="$(pwd)"
reports="$root/build-asan/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizer-leaks.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
status=0
cmake --build build-asan -j"$(nproc)" || status=$?

if [ "$status" -eq 0 ]; then
  cd build-asan
  export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
  ctest --output-on-failure -j"$(nproc)" || status=$?
  cd "$root"
fi

if [ -n "$(ls -A "$reports")" ]; then
  echo "Sanitizer reports:"
  for f in "$reports"/*; do
    echo "--- $f"
    cat "$f"
  done
  exit 1
fi
echo "No sanitizer reports."
exit "$status"
