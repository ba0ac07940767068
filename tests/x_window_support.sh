# Shared set-up of the scripts that run the built game in a real X window
# under Xvfb. Source it with ". x_window_support.sh" after exporting SUPPORT
# as this file's path; it defines:
#   require_x_tools TOOL...  exits 77 (skipped) when a tool is missing
#   fresh_home               a throw-away home folder in $WORK (removed on exit),
#                            HOME and the XDG folders in it, the X11 video
#                            driver, dummy audio
#   with_x_display SCRIPT    runs the sh code SCRIPT (with this file sourced)
#                            against a fresh Xvfb server of 1024x768x24 and
#                            returns its exit status. A session that got no
#                            usable display (Xvfb failed to start, or SCRIPT
#                            exited 75: the server never answered or the game
#                            could not open it) starts again on another
#                            display, up to X_ATTEMPTS (3) times in all; any
#                            other failure is the test's and is not retried
#   find_game_window         sets $w to the game's window id (waits up to 10 s,
#                            less when the game ends first)
#   wait_for_x_server        inside with_x_display: waits until the X server
#                            answers; returns 75 when it never does
#   display_refused LOG      true when the program whose output is in LOG could
#                            not open the X display
#   start_game               inside with_x_display: waits until the X server
#                            answers, starts "./bramblecot 1" (output in
#                            $WORK/run.log, pid in $game) and finds its window;
#                            returns 75 when there was no display to use, 1
#                            when the game showed no window for another reason
#   wait_past_loading        after start_game: waits (up to 60 s) until the
#                            window shows neither the loading screen nor
#                            black, so the intro has begun; keys pressed
#                            before would wait and reach later screens

# Exit status of a session that found no X display to use.
X_NO_DISPLAY=75

require_x_tools() {
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIPPED: '$tool' is not installed (scripts/install-deps.sh installs xvfb xauth xdotool imagemagick)"
      exit 77
    fi
  done
}

fresh_home() {
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
  mkdir -p "$WORK/home"
  export HOME="$WORK/home"
  export XDG_DATA_HOME="$WORK/home/.local/share"
  export XDG_CONFIG_HOME="$WORK/home/.config"
  export XDG_DOCUMENTS_DIR="$WORK/home/Documents"
  export XDG_CACHE_HOME="$WORK/home/.cache"
  # The X11 driver alone: SDL would otherwise fall back to a text-terminal
  # driver when the display refuses it, and no window would appear.
  export SDL_VIDEODRIVER=x11
  export SDL_AUDIODRIVER=dummy
  export WORK
}

with_x_display() {
  attempt=1
  attempts=${X_ATTEMPTS:-3}
  while :; do
    # Concurrent runs on one machine each look for a free display from
    # their own starting point, so two seldom race for the same one.
    first=$(( $(od -An -N2 -tu2 /dev/urandom | tr -d ' ') % 400 + 100 ))
    # -noreset: by default the server resets when its last client leaves,
    # and a busy machine can then refuse the game that connects right after
    # wait_for_x_server's probe.
    xvfb-run -a -n "$first" -s "-screen 0 1024x768x24 -noreset" sh -c ". \"\$SUPPORT\"
$1" 2>"$WORK/xvfb.err"
    status=$?
    cat "$WORK/xvfb.err" >&2
    why=""
    if grep -q "Xvfb failed to start" "$WORK/xvfb.err"; then
      why="Xvfb failed to start"
    elif [ $status -eq $X_NO_DISPLAY ]; then
      why="the X display could not be used"
    fi
    [ -z "$why" ] && return $status
    if [ $attempt -ge "$attempts" ]; then
      echo "no X display after $attempt attempts ($why)"
      return 1
    fi
    echo "attempt $attempt: $why; starting again on another display"
    attempt=$((attempt + 1))
    sleep 1
  done
}

find_game_window() {
  w=""
  for i in $(seq 100); do
    w=$(xdotool search --name "Professor Bramblecot" 2>/dev/null | head -1)
    [ -n "$w" ] && return 0
    # A game that has ended shows no window.
    [ -n "${game:-}" ] && ! kill -0 "$game" 2>/dev/null && break
    sleep 0.1
  done
  echo "no game window appeared"
  return 1
}

wait_for_x_server() {
  # A freshly started X server may not accept clients at once on a busy
  # machine: wait until it answers.
  for i in $(seq "${X_WAIT_TRIES:-100}"); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the X server does not answer"
  return $X_NO_DISPLAY
}

display_refused() {
  # SDL's words when its X11 driver cannot open the display, and when no
  # driver is left (SDL_VIDEODRIVER=x11 allows no other).
  grep -q "open X11 display\|No available video device" "$1"
}

start_game() {
  wait_for_x_server || return $?
  ./bramblecot 1 > "$WORK/run.log" 2>&1 &
  game=$!
  if ! find_game_window; then
    kill -TERM $game 2>/dev/null
    wait $game
    if display_refused "$WORK/run.log"; then
      echo "the game could not open the X display"
      return $X_NO_DISPLAY
    fi
    return 1
  fi
}

wait_past_loading() {
  # The loading screen is its picture with a bar of at most 200 x 18
  # pixels over it: a window that differs from it, and from black, by more
  # than 4000 pixels shows something else.
  convert jpg:resource0.dat "$WORK/loading.ppm"
  convert -size 800x600 xc:black "$WORK/black.ppm"
  started=$(date +%s)
  while :; do
    import -window "$w" "$WORK/shown.ppm" 2>/dev/null
    loading=$(compare -metric AE -fuzz 5% "$WORK/loading.ppm" "$WORK/shown.ppm" null: 2>&1 | awk '{ printf "%d", $1 }')
    black=$(compare -metric AE -fuzz 5% "$WORK/black.ppm" "$WORK/shown.ppm" null: 2>&1 | awk '{ printf "%d", $1 }')
    [ "${loading:-0}" -gt 4000 ] && [ "${black:-0}" -gt 4000 ] && return 0
    if ! kill -0 "$game" 2>/dev/null; then
      echo "the game ended while it was loading"
      return 1
    fi
    if [ $(( $(date +%s) - started )) -ge 60 ]; then
      echo "the game was still loading after 60 s"
      return 1
    fi
    sleep 0.2
  done
}
