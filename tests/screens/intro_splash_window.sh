#!/bin/sh
# Starts the built game in a real X window (under Xvfb) from its run folder
# and checks that, 3 seconds after the window appears, the window shows one
# of the splash screens (not a blank picture); then closes it and expects
# exit code 0.
#
# Usage: intro_splash_window.sh RUN_FOLDER
# Exit 77 (skipped) when the X tools are not installed.
set -u

run_dir=$1

for tool in xvfb-run xauth xdotool xdpyinfo import compare; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: '$tool' is not installed (scripts/install-deps.sh installs xvfb xauth xdotool imagemagick)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export HOME="$work/home"
export XDG_DATA_HOME="$work/home/.local/share"
export XDG_CONFIG_HOME="$work/home/.config"
export XDG_DOCUMENTS_DIR="$work/home/Documents"
export XDG_CACHE_HOME="$work/home/.cache"
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
export WORK="$work"

cd "$run_dir" || exit 1

xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  # A freshly started X server may not accept clients at once on a busy
  # machine: wait until it answers before starting the game.
  for i in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  ./bramblecot 1 > "$WORK/run.log" 2>&1 &
  game=$!
  w=""
  for i in $(seq 100); do
    w=$(xdotool search --name "Professor Bramblecot" 2>/dev/null | head -1)
    [ -n "$w" ] && break
    sleep 0.1
  done
  if [ -z "$w" ]; then
    echo "no game window appeared"
    kill -TERM $game 2>/dev/null; wait $game
    exit 1
  fi
  sleep 3
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
if [ $status -ne 0 ]; then
  echo "--- game output ---"
  cat "$work/run.log"
fi
exit $status
