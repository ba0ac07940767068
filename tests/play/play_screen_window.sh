#!/bin/sh
# Starts the built game in a real X window (under Xvfb) from its run folder
# with a fresh profile and reaches the play screen of the first regular level
# by keys alone: a key skips the intro, Return takes the main menu's default
# button (play), Return on the map plays the selected level (the first), and
# Space closes the story page that opens the level. Then:
#   - the right arrow held for a second walks the professor: the board around
#     his tube changes while the sky above the board stays as it was;
#   - Escape opens the pause menu: the middle of the screen changes to the
#     menu's parchment and buttons.
# Screenshots of each step are kept in $KEEP (when set) for a look by eye.
#
# Usage: play_screen_window.sh RUN_FOLDER
# Exit 77 (skipped) when the X tools are not installed.
set -u

run_dir=$1
support=$(cd "$(dirname "$0")/.." && pwd)/x_window_support.sh
export SUPPORT="$support"
. "$support"
require_x_tools xvfb-run xauth xdotool xdpyinfo import compare convert
fresh_home
# The first level's entrance cell, read from its source: the board around it
# must change when the professor walks right. The board starts at screen
# (29, 20) and a cell is 24 pixels.
levels=$(cd "$(dirname "$0")/../../data/levels" && pwd)
tube=$(awk '/^map$/ { inMap = 1; row = 0; next }
            inMap && row < 24 { i = index($0, "@"); if (i) { print i - 1, row; exit } row++ }' "$levels/reg001.txt")
set -- $tube
export TUBE_REGION="240x150+$((29 + 24 * $1 - 24))+$((20 + 24 * $2 - 48))"
cd "$run_dir" || exit 1

with_x_display '
  start_game || exit $?
  # Keys pressed while the game loads would wait and reach later screens.
  if ! wait_past_loading; then
    kill -TERM $game
    exit 1
  fi
  shot() { import -window "$w" "$WORK/$1.png"; }
  # Pixels (of a crop) that differ by more than 8 % between two shots.
  differ() {
    convert "$WORK/$1.png" -crop "$3" +repage "$WORK/a.png"
    convert "$WORK/$2.png" -crop "$3" +repage "$WORK/b.png"
    compare -metric AE -fuzz 8% "$WORK/a.png" "$WORK/b.png" null: 2>&1 | sed "s/ .*//"
  }
  key() { xdotool key --window "$w" "$1"; }

  sleep 2
  key space          # skip the intro to its last splash; the menu follows
  sleep 5
  key Return         # main menu: play
  sleep 3
  key Return         # map: the selected (first) level
  sleep 3
  key space          # the story page before the first level
  sleep 4            # the professor climbs out of his tube
  shot board
  xdotool keydown --window "$w" Right
  sleep 1.2
  xdotool keyup --window "$w" Right
  sleep 1.5
  shot walked
  key Escape
  sleep 1.5
  shot menu
  if [ -n "${KEEP:-}" ]; then cp "$WORK"/board.png "$WORK"/walked.png "$WORK"/menu.png "$KEEP"/; fi

  near_tube=$(differ board walked "$TUBE_REGION")
  sky=$(differ board walked 740x200+29+60)
  middle=$(differ walked menu 200x260+300+180)
  echo "pixels changed near the tube: $near_tube, in the sky: $sky, in the middle on Escape: $middle"

  kill -TERM $game
  wait $game
  status=0
  if [ "${near_tube:-0}" -lt 300 ]; then echo "the professor did not move"; status=1; fi
  if [ "${sky:-999999}" -gt 2000 ]; then echo "the whole screen changed: not the play screen"; status=1; fi
  if [ "${middle:-0}" -lt 10000 ]; then echo "Escape opened no pause menu"; status=1; fi
  exit $status
'
status=$?
if [ $status -ne 0 ] && [ -f "$WORK/run.log" ]; then
  echo "--- game output ---"
  tail -50 "$WORK/run.log"
fi
exit $status
