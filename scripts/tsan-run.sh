#!/usr/bin/env bash
# Runs a GoogleTest program built with ThreadSanitizer and says what ended
# it: its tests (their counts), a ThreadSanitizer report (which fails the
# run at once), or the sanitizer failing to start before any test ran (the
# runtime could not set up its memory, say on a busy machine). Only the
# last is tried again, up to TSAN_ATTEMPTS (3) times in all, the later
# attempts with address-space randomisation off when setarch is there.
# Ends with the line "tsan: N passed, N failed" and the program's status.
#
# Usage: scripts/tsan-run.sh LOG_FILE PROGRAM [ARGUMENTS...]
set -uo pipefail
log=$1
shift
attempts=${TSAN_ATTEMPTS:-3}
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"

attempt=1
prefix=()
while :; do
  "${prefix[@]}" "$@" > "$log" 2>&1
  status=$?
  cat "$log"
  if grep -q "^WARNING: ThreadSanitizer:\|^SUMMARY: ThreadSanitizer:" "$log"; then
    echo "tsan: ended by a ThreadSanitizer report:"
    grep "^SUMMARY: ThreadSanitizer:" "$log" || grep -m1 "^WARNING: ThreadSanitizer:" "$log"
    break
  fi
  if [ "$status" -eq 0 ] || grep -q "^\[ RUN      \]" "$log"; then
    if [ "$status" -ne 0 ] && ! grep -q "^\[  PASSED  \]\|^\[  FAILED  \]" "$log"; then
      what=$(grep -m1 "ThreadSanitizer" "$log" || true)
      echo "tsan: the program ended with status $status before its tests finished: ${what:-no message}"
    fi
    break
  fi
  what=$(grep -m1 "ThreadSanitizer" "$log" || true)
  echo "tsan: the sanitizer failed to start (attempt $attempt of $attempts, status $status): ${what:-no message}"
  if [ "$attempt" -ge "$attempts" ]; then
    break
  fi
  attempt=$((attempt + 1))
  if command -v setarch >/dev/null 2>&1; then
    prefix=(setarch "$(uname -m)" -R)
  fi
  sleep 1
done
# One closing line with the counts, as the other runs end with.
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log" | tail -1)
echo "tsan: ${passed:-0} passed, ${failed:-0} failed"
exit "$status"
