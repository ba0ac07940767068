#!/bin/sh
# Starts the built game in a real X window (under Xvfb) with a fresh profile
# and a level in the levels folder, and walks through every screen by keys
# alone, as a player without a mouse would: the intro, the main menu, the map
# in each of its sets, the first level played to its end, the screen after
# it, the pause menu and each of its entries (the solution's confirmation, how
# to play to its last page, the settings with the key bindings, a key that is
# taken and the profile's password, the high scores, leaving), the main
# menu's high scores and how to play, the profiles with a new profile and the
# password of a locked one (a wrong one first), the level manager with a
# level deleted, and Exit. The game must end by itself with exit code 0.
#
# Each step waits until the window shows the change its key makes (polling,
# with a time limit), then until the picture settles, and keeps a screenshot
# in OUT_FOLDER (NN-name.png). Screens visited again must look as they did
# the first time. The pictures compared while a step waits are uncompressed
# PPM files, a fraction of the cost of a PNG: on a busy machine that cost
# decides how long the walk takes. The pointer is never moved: every screen must start on the
# button that Return should take.
#
# Usage: screens_walk_window.sh RUN_FOLDER OUT_FOLDER LEVEL_FILE
# Exit 77 (skipped) when the X tools are not installed.
set -u

run_dir=$1
out_dir=$2
level_file=$3
support=$(cd "$(dirname "$0")/.." && pwd)/x_window_support.sh
export SUPPORT="$support"
. "$support"
require_x_tools xvfb-run xauth xdotool xdpyinfo xset import compare convert
fresh_home
mkdir -p "$out_dir" || exit 1
out_dir=$(cd "$out_dir" && pwd)
export OUT="$out_dir"
mkdir -p "$XDG_DOCUMENTS_DIR/ZOBK Levels"
cp "$level_file" "$XDG_DOCUMENTS_DIR/ZOBK Levels/" || exit 1
cd "$run_dir" || exit 1

with_x_display '
  # A session started again on another display begins a new set of shots.
  rm -f "$OUT"/*.png
  start_game || exit $?
  # Held keys must not repeat: a held arrow would reach the next screen.
  xset r off
  xdotool windowfocus "$w" 2>/dev/null
  n=0
  convert -size 800x600 xc:black "$WORK/previous.ppm"
  previous="$WORK/previous.ppm"

  fail() { echo "FAILED: $*"; kill -TERM $game 2>/dev/null; exit 1; }
  grab() { import -window "$w" "$1" 2>/dev/null; }
  # Pixels that differ by more than 5 % between two pictures.
  differ() { compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1 | awk "{ printf \"%d\", \$1 }"; }
  # Keeps the last picture as the screenshot of the step: a PNG of the
  # quickest kind (-quality 10: zlib level 1, no filter), several times
  # cheaper to write than the default one.
  keep() { convert "$WORK/now.ppm" -quality 10 "$file"; }
  # Grabs the window until two pictures in a row agree (at most 15 times).
  settle() {
    tries=0
    while [ $tries -lt 15 ]; do
      grab "$WORK/next.ppm"
      d=$(differ "$WORK/now.ppm" "$WORK/next.ppm")
      mv "$WORK/next.ppm" "$WORK/now.ppm"
      [ "${d:-0}" -lt 1500 ] && break
      tries=$((tries + 1))
    done
  }
  # Waits until the window differs from the last screenshot by more than
  # MIN pixels (within LIMIT seconds), then until two pictures in a row
  # agree, and keeps it as the next screenshot NAME.
  shot() {
    name=$1; min=${2:-4000}; limit=${3:-20}
    n=$((n + 1))
    file="$OUT/$(printf %02d $n)-$name.png"
    started=$(date +%s)
    while :; do
      grab "$WORK/now.ppm"
      d=$(differ "$previous" "$WORK/now.ppm")
      [ "${d:-0}" -gt "$min" ] && break
      kill -0 $game 2>/dev/null || fail "$name: the game has ended"
      if [ $(( $(date +%s) - started )) -ge "$limit" ]; then
        keep
        fail "$name: the window did not change within $limit s ($d pixels)"
      fi
      sleep 0.2
    done
    settle
    keep
    mv "$WORK/now.ppm" "$WORK/previous.ppm"
    echo "$name"
  }
  # The last screenshot looks like an earlier one (the same screen again).
  same_as() {
    earlier=$(ls "$OUT"/*-"$1".png | head -1)
    d=$(differ "$earlier" "$previous")
    [ "${d:-999999}" -lt "${2:-16000}" ] || fail "$(basename "$file"): not the screen of $1 ($d pixels differ)"
  }
  # Keys before the last one (arrows, Tab) move the focus: that move is
  # waited for and taken as the picture the next step compares with, and only
  # then the last key goes. On a busy machine the moved focus alone could
  # otherwise pass for the change the last key makes.
  key() {
    if [ $# -gt 1 ]; then
      while [ $# -gt 1 ]; do xdotool key "$1"; shift; done
      started=$(date +%s)
      while :; do
        grab "$WORK/now.ppm"
        d=$(differ "$previous" "$WORK/now.ppm")
        [ "${d:-0}" -gt 300 ] && break
        [ $(( $(date +%s) - started )) -ge 5 ] && break
        sleep 0.2
      done
      settle
      mv "$WORK/now.ppm" "$WORK/previous.ppm"
    fi
    xdotool key "$1"
  }
  type_text() { xdotool type --delay 60 "$1"; }

  # On a busy machine the loading screen stays long enough to pass for the
  # intro, and keys pressed while it shows would reach later screens.
  wait_past_loading || fail "no intro"
  shot intro
  key Return;                      shot last-splash
  key Return;                      shot mainmenu
  key Return;                      shot map-regular
  key shift+Tab Return;            shot map-kids
  key shift+Tab Return;            shot map-advanced
  key shift+Tab shift+Tab Return;  shot map-regular-again 3000; same_as map-regular 30000
  key Return;                      shot story
  key space;                       shot level
  # The first level: one step left drops the professor through the gap in
  # the rock; from where he lands he walks right until the level ends.
  # The game reads held keys once per step, so the tap lasts a few frames;
  # it waits until the level has settled in, as keys before that are not read.
  sleep 2
  xdotool keydown Left; sleep 0.3; xdotool keyup Left
  sleep 1.5
  xdotool keydown Right
  shot level-solved 20000 40
  xdotool keyup Right
  key Down Return;                 shot level-again
  key Escape;                      shot pausemenu
  key Return;                      shot resumed
  key Escape;                      shot pausemenu-2; same_as pausemenu
  key Down Return;                 shot restarted
  key Escape;                      shot pausemenu-3; same_as pausemenu
  key Down Down Return;            shot undone
  key Escape;                      shot pausemenu-4; same_as pausemenu
  key Down Down Down Return;       shot solution-question
  key Escape;                      shot pausemenu-5; same_as pausemenu
  key Down Return;                 shot howto
  key Right Right Right Right Right Right Right Right
  shot howto-last-page
  key Return;                      shot pausemenu-6; same_as pausemenu
  key Down Return;                 shot settings
  key Up Up Return;                shot controls
  key Tab Return;                  shot controls-waiting 300
  key u;                           shot controls-key-taken
  key Return;                      shot controls-again; same_as controls
  key Escape;                      shot settings-again; same_as settings
  key Down Return;                 shot password
  type_text abc;                   shot password-typed 50
  key Return;                      shot settings-after-password; same_as settings
  key Escape;                      shot pausemenu-7; same_as pausemenu
  key Down Return;                 shot highscores
  key Escape;                      shot pausemenu-8; same_as pausemenu
  key Down Down Down Return;       shot quit-question
  key Escape;                      shot pausemenu-9; same_as pausemenu
  key Up Up Return;                shot map-after-level
  key Return;                      shot level-2
  key Escape;                      shot pausemenu-tutorial
  key Down Down Down Down Down Down Down Return
  shot mainmenu-again; same_as mainmenu 30000
  key Down Down Return;            shot highscores-from-menu
  key Escape;                      shot mainmenu-3; same_as mainmenu 30000
  key Down Return;                 shot howto-from-menu
  key Escape;                      shot mainmenu-4; same_as mainmenu 30000
  key Up Up Up Up Return;          shot profiles
  key Tab Return;                  shot new-profile
  type_text Ann;                   shot new-profile-typed 50
  key Return;                      shot profiles-with-ann
  key shift+Tab shift+Tab Return;  shot profile-password
  type_text xyz; key Return;       shot profile-password-wrong 300
  type_text abc; key Return;       shot profiles-back-to-player
  key Escape;                      shot mainmenu-5; same_as mainmenu 30000
  key Down Down Return;            shot level-manager
  key Delete;                      shot delete-question
  key Left Return;                 shot level-deleted 300
  key Escape;                      shot mainmenu-6; same_as mainmenu 30000
  key Down Down Down Down Return
  # Exit: the game ends by itself.
  for i in $(seq 100); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
  if kill -0 $game 2>/dev/null; then
    kill -TERM $game
    fail "Exit on the main menu did not end the game"
  fi
  wait $game
  code=$?
  [ $code -eq 0 ] || fail "the game ended with exit code $code"
  echo "walked $n screens and left the game by Exit"
'
status=$?
if [ $status -ne 0 ] && [ -f "$WORK/run.log" ]; then
  echo "--- game output ---"
  cat "$WORK/run.log"
fi
exit $status
