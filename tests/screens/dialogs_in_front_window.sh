#!/bin/sh
# Runs the dialog checks (DialogsInFront.*) in a real X window under Xvfb:
# every dialog that a screen opens, read back from the X server, must show
# exactly the pixels of the same dialog drawn alone. A picture of each dialog
# over its screen is kept in OUT_FOLDER (PNG).
#
# Usage: dialogs_in_front_window.sh TEST_PROGRAM OUT_FOLDER
# Exit 77 (skipped) when the X tools are not installed.
set -u

tests=$1
out_dir=$2
support=$(cd "$(dirname "$0")/.." && pwd)/x_window_support.sh
export SUPPORT="$support"
. "$support"
require_x_tools xvfb-run xauth xdpyinfo convert
fresh_home
mkdir -p "$out_dir" || exit 1
out_dir=$(cd "$out_dir" && pwd)
export TESTS="$tests" DIALOG_SHOTS="$out_dir" BRAMBLECOT_TEST_VIDEO=x11 LOG="$out_dir/run.log"

with_x_display '
  # A session started again on another display begins a new set of pictures.
  rm -f "$DIALOG_SHOTS"/*.png "$DIALOG_SHOTS"/*.bmp
  wait_for_x_server || exit $?
  "$TESTS" --gtest_filter="DialogsInFront.*" > "$LOG" 2>&1
  status=$?
  if [ $status -ne 0 ] && display_refused "$LOG"; then
    echo "the tests could not open the X display"
    exit $X_NO_DISPLAY
  fi
  exit $status
'
status=$?
[ -f "$LOG" ] && grep -E "^\[ +(OK|FAILED|PASSED) +\]|Failure|covered|drew|view|real window" "$LOG"
for f in "$out_dir"/*.bmp; do
  [ -e "$f" ] || continue
  convert "$f" "${f%.bmp}.png" && rm -f "$f"
done
exit $status
