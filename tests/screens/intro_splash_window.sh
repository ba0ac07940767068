#!/bin/sh
# Starts the built game in a real X window (under Xvfb) from its run folder
# and checks that, a second after its loading screen has gone, the window
# shows one of the splash screens (not a blank picture); then closes it and
# expects exit code 0.
#
# Usage: intro_splash_window.sh RUN_FOLDER
# Exit 77 (skipped) when the X tools are not installed.
set -u

run_dir=$1
support=$(cd "$(dirname "$0")/.." && pwd)/x_window_support.sh
export SUPPORT="$support"
. "$support"
require_x_tools xvfb-run xauth xdotool xdpyinfo import compare convert
fresh_home
cd "$run_dir" || exit 1

with_x_display '
  start_game || exit $?
  # Loading takes longer on a busy machine; the intro starts after it.
  if ! wait_past_loading; then
    kill -TERM $game
    exit 1
  fi
  sleep 1
  # A picture taken during a fade may match no splash; look a few times.
  found=""
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    import -window "$w" "$WORK/window.png"
    for splash in resource9.dat resource10.dat resource11.dat; do
      err=$(compare -metric RMSE "$WORK/window.png" "jpg:$splash" null: 2>&1 | sed -n "s/.*(\(.*\)).*/\1/p")
      echo "attempt $attempt: $splash differs by $err"
      if [ -n "$err" ] && awk -v e="$err" "BEGIN { exit !(e < 0.05) }"; then
        found=$splash
        break
      fi
    done
    [ -n "$found" ] && break
    sleep 0.3
  done
  # SIGTERM: a shell leaves SIGINT ignored in background jobs.
  kill -TERM $game
  wait $game
  code=$?
  if [ -z "$found" ]; then
    echo "the window shows no splash screen"
    exit 1
  fi
  echo "the window shows $found"
  if [ $code -ne 0 ]; then
    echo "the game ended with exit code $code"
    exit 1
  fi
  exit 0
'
status=$?
if [ $status -ne 0 ] && [ -f "$WORK/run.log" ]; then
  echo "--- game output ---"
  cat "$WORK/run.log"
fi
exit $status
