#!/bin/sh
# Checks how x_window_support.sh gets a display, with stand-ins for xvfb-run,
# xdpyinfo, xdotool and the game: a session that got no usable display is
# started again, up to the attempt limit; a failure of the test itself is
# not.
set -u

here=$(cd "$(dirname "$0")" && pwd)
export SUPPORT="$here/x_window_support.sh"
. "$SUPPORT"
fresh_home
fake="$WORK/bin"
mkdir -p "$fake" "$WORK/run"
export FAKE="$WORK"

# xvfb-run: fails to start Xvfb for the first $XVFB_FAILURES calls, then runs
# the command; every call is counted.
cat > "$fake/xvfb-run" <<'END'
#!/bin/sh
echo x >> "$FAKE/calls"
while [ $# -gt 0 ]; do
  case $1 in
    -a) shift ;;
    -n|-s) shift 2 ;;
    *) break ;;
  esac
done
if [ "$(wc -l < "$FAKE/calls")" -le "${XVFB_FAILURES:-0}" ]; then
  echo "xvfb-run: error: Xvfb failed to start" >&2
  exit 1
fi
DISPLAY=:999 exec "$@"
END
# xdpyinfo answers when $X_ANSWERS is set; xdotool never finds a window.
printf '#!/bin/sh\n[ -n "${X_ANSWERS:-}" ]\n' > "$fake/xdpyinfo"
printf '#!/bin/sh\nexit 1\n' > "$fake/xdotool"
# The game cannot open the display.
printf '#!/bin/sh\necho "Unable to initialize SDL: Couldn'"'"'t open X11 display"\nexit 1\n' > "$WORK/run/bramblecot"
chmod +x "$fake"/* "$WORK/run/bramblecot"
PATH="$fake:$PATH"
cd "$WORK/run" || exit 1

failures=0
# check NAME WANTED_STATUS WANTED_CALLS: runs with_x_display with the rest of
# the environment as set, then compares.
check() {
  rm -f "$FAKE/calls"
  with_x_display "$SCRIPT" > "$WORK/out.txt" 2>&1
  got=$?
  calls=$(wc -l < "$FAKE/calls" 2>/dev/null || echo 0)
  if [ "$got" -ne "$2" ] || [ "$calls" -ne "$3" ]; then
    echo "FAILED: $1: status $got after $calls sessions (wanted $2 after $3)"
    sed 's/^/    /' "$WORK/out.txt"
    failures=$((failures + 1))
  else
    echo "ok: $1"
  fi
}

SCRIPT='exit 0'
XVFB_FAILURES=1 check "Xvfb failing once starts again" 0 2
XVFB_FAILURES=5 check "Xvfb failing every time gives up after three" 1 3
SCRIPT='exit 1'
check "a failing test is not started again" 1 1
SCRIPT='echo "$DISPLAY"; exit 0'
check "the script sees the display" 0 1
grep -q "^:999$" "$WORK/out.txt" || { echo "FAILED: no DISPLAY in the script"; failures=$((failures + 1)); }

SCRIPT='start_game || exit $?'
X_WAIT_TRIES=2 check "a server that never answers starts again" 1 3
X_ANSWERS=1 check "a game that cannot open the display starts again" 1 3
X_ANSWERS=1 X_ATTEMPTS=2 check "the attempt limit can be set" 1 2
printf '#!/bin/sh\necho "something else went wrong"\nexit 1\n' > "$WORK/run/bramblecot"
X_ANSWERS=1 check "a game failing for another reason is not started again" 1 1

# A test program run on the display, as the dialog checks are: SDL finds no
# video device when the X display cannot be opened.
printf '#!/bin/sh\necho "Unable to initialize SDL: No available video device"\nexit 1\n' > "$WORK/run/tests"
chmod +x "$WORK/run/tests"
SCRIPT='wait_for_x_server || exit $?
./tests > "$WORK/tests.log" 2>&1 || { display_refused "$WORK/tests.log" && exit $X_NO_DISPLAY; exit 1; }'
X_ANSWERS=1 check "a test program that cannot open the display starts again" 1 3
printf '#!/bin/sh\necho "[  FAILED  ] 1 test"\nexit 1\n' > "$WORK/run/tests"
X_ANSWERS=1 check "a test program failing its tests is not started again" 1 1

echo "x window support: $((10 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
