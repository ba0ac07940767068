#!/bin/sh
# Starts the built game in a real X window (under Xvfb) with a fresh profile
# and walks by keys through the screens a player moves through: intro, main
# menu, world map, a level, its pause menu, the settings, how to play, the
# profiles and the level manager. A screenshot of each is saved in OUT_FOLDER;
# each must differ clearly from the one before (a screen that did not change
# means the key did not reach its screen). The pointer is parked in a corner
# before each walk through a menu, so the arrow keys start from no focus.
#
# Usage: screens_walk_window.sh RUN_FOLDER OUT_FOLDER
# Exit 77 (skipped) when the X tools are not installed.
set -u

run_dir=$1
out_dir=$2
support=$(cd "$(dirname "$0")/.." && pwd)/x_window_support.sh
export SUPPORT="$support"
. "$support"
require_x_tools xvfb-run xauth xdotool xdpyinfo import compare
fresh_home
mkdir -p "$out_dir" || exit 1
out_dir=$(cd "$out_dir" && pwd)
rm -f "$out_dir"/*.png
export OUT="$out_dir"
cd "$run_dir" || exit 1

with_x_display '
  # A session started again on another display begins a new set of shots.
  rm -f "$OUT"/*.png
  start_game || exit $?
  n=0
  previous=""
  status=0
  # Saves a numbered screenshot and compares it with the one before.
  shot() {
    n=$((n + 1))
    file="$OUT/$(printf %02d $n)-$1.png"
    import -window "$w" "$file"
    if [ -n "$previous" ]; then
      changed=$(compare -metric AE -fuzz 5% "$previous" "$file" null: 2>&1 | sed "s/ .*//")
      echo "$1: $changed pixels differ from the screen before"
      if [ "${changed:-0}" -lt 5000 ]; then
        echo "FAILED: the $1 screen looks like the one before"
        status=1
      fi
    else
      echo "$1: saved"
    fi
    previous=$file
  }
  key() { xdotool key --window "$w" "$1" 2>/dev/null; sleep "${2:-1}"; }
  park() { xdotool mousemove --window "$w" 1 1 2>/dev/null; sleep 0.3; }
  down() { i=0; while [ $i -lt $1 ]; do key Down 0.2; i=$((i + 1)); done; }

  sleep 1.5
  shot intro
  key Return 1         # to the last splash
  key Return 2         # on to the main menu
  shot mainmenu
  key Return 3         # Play Now: the world map
  shot map
  key Return 2         # the first level (its story page comes first)
  key space 3          # close the story page
  shot level
  key Escape 1.5       # any key the level does not use: the pause menu
  shot pausemenu
  park; down 6; key Return 1.5   # Settings
  shot options
  key Escape 1.5       # back to the pause menu (the settings are saved)
  park; down 5; key Return 1.5   # How to Play
  shot instructions
  key Escape 1.5
  park; down 9; key Return 3     # Main Menu: leaves the level and the map
  shot mainmenu-again
  park; down 7; key Return 1.5   # the profile button
  shot profiles
  key Escape 1.5
  park; down 2; key Return 1.5   # Level Manager
  shot manager
  key Escape 1

  kill -TERM $game
  wait $game
  code=$?
  if [ $code -ne 0 ]; then echo "the game ended with exit code $code"; status=1; fi
  exit $status
'
status=$?
if [ $status -ne 0 ] && [ -f "$WORK/run.log" ]; then
  echo "--- game output ---"
  cat "$WORK/run.log"
fi
exit $status
