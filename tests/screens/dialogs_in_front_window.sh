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
. "$support"
require_x_tools xvfb-run xauth xdpyinfo convert
mkdir -p "$out_dir" || exit 1
out_dir=$(cd "$out_dir" && pwd)
rm -f "$out_dir"/*.png "$out_dir"/*.bmp
export TESTS="$tests" DIALOG_SHOTS="$out_dir" BRAMBLECOT_TEST_VIDEO=x11 SDL_AUDIODRIVER=dummy

session() {
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  "$TESTS" --gtest_filter="DialogsInFront.*"
'
}

session > "$out_dir/run.log" 2>&1
status=$?
if [ $status -ne 0 ] && grep -q "open X11 display\|Couldn.t open" "$out_dir/run.log"; then
  echo "the X server was taken; trying once more"
  sleep 1
  session > "$out_dir/run.log" 2>&1
  status=$?
fi
grep -E "^\[ +(OK|FAILED|PASSED) +\]|Failure|covered|drew|view|real window" "$out_dir/run.log"
for f in "$out_dir"/*.bmp; do
  [ -e "$f" ] || continue
  convert "$f" "${f%.bmp}.png" && rm -f "$f"
done
exit $status
