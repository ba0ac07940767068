#!/bin/sh
# Checks scripts/tsan-run.sh with stand-in test programs: a ThreadSanitizer
# report ends the run at once, a sanitizer that failed to start before any
# test ran is started again up to three times, and the closing line counts
# the tests.
set -u

here=$(cd "$(dirname "$0")" && pwd)
runner="$here/../../scripts/tsan-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export FAKE="$work"

# The stand-in prints the output of its call number n from $work/out.n
# (the last one given for later calls) and exits with $work/status.n.
cat > "$work/program" <<'END'
#!/bin/sh
echo x >> "$FAKE/calls"
n=$(wc -l < "$FAKE/calls")
while [ "$n" -gt 1 ] && [ ! -f "$FAKE/out.$n" ]; do n=$((n - 1)); done
cat "$FAKE/out.$n"
exit "$(cat "$FAKE/status.$n")"
END
chmod +x "$work/program"

started='[ RUN      ] Draw.Decodes
[       OK ] Draw.Decodes (3 ms)
[  PASSED  ] 1 test.'
no_start='FATAL: ThreadSanitizer: unexpected memory mapping 0x7f0000000000-0x7f0000001000'
report='WARNING: ThreadSanitizer: data race (pid=42)
SUMMARY: ThreadSanitizer: data race CDrawDecoding.cpp:80 in decode'

failures=0
# case NAME WANTED_STATUS WANTED_CALLS TEXT OUTPUT1 STATUS1 [OUTPUT2 STATUS2 ...]
case_() {
  name=$1 want=$2 wantCalls=$3 text=$4
  shift 4
  rm -f "$work"/calls "$work"/out.* "$work"/status.*
  i=1
  while [ $# -gt 0 ]; do
    printf '%s\n' "$1" > "$work/out.$i"
    echo "$2" > "$work/status.$i"
    i=$((i + 1))
    shift 2
  done
  bash "$runner" "$work/log" "$work/program" > "$work/result" 2>&1
  got=$?
  calls=$(wc -l < "$work/calls")
  if [ "$got" -ne "$want" ] || [ "$calls" -ne "$wantCalls" ] || ! grep -qF "$text" "$work/result"; then
    echo "FAILED: $name: status $got after $calls runs (wanted $want after $wantCalls, and \"$text\")"
    sed 's/^/    /' "$work/result"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

case_ "a clean run" 0 1 "tsan: 1 passed, 0 failed" "$started" 0
case_ "a start-up failure is tried again" 0 3 "the sanitizer failed to start (attempt 2 of 3" \
  "$no_start" 66 "$no_start" 66 "$started" 0
case_ "three start-up failures end it" 66 3 "tsan: 0 passed, 0 failed" "$no_start" 66
case_ "a report before any test is not tried again" 66 1 "ended by a ThreadSanitizer report" \
  "$report" 66 "$started" 0
case_ "a report during a test is not tried again" 66 1 "SUMMARY: ThreadSanitizer: data race" \
  "[ RUN      ] Draw.Decodes
$report" 66 "$started" 0
case_ "a failing test is not tried again" 1 1 "tsan: 0 passed, 1 failed" \
  "[ RUN      ] Draw.Decodes
[  FAILED  ] Draw.Decodes (1 ms)
[  FAILED  ] 1 test, listed below:" 1 "$started" 0
case_ "a crash in a test says so" 134 1 "ended with status 134 before its tests finished" \
  "[ RUN      ] Draw.Decodes" 134 "$started" 0

echo "tsan runner: $((7 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
