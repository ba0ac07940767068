# Shared set-up of the scripts that run the built game in a real X window
# under Xvfb. Source it with ". x_window_support.sh"; it defines:
#   require_x_tools TOOL...  exits 77 (skipped) when a tool is missing
#   fresh_home               a throw-away home folder in $WORK (removed on exit),
#                            HOME and the XDG folders in it, real video driver,
#                            dummy audio
#   find_game_window         sets $w to the game's window id (waits up to 10 s);
#                            runs inside the xvfb-run shell
#   start_game               inside the xvfb-run shell: waits until the X server
#                            answers, starts "./bramblecot 1" (output in
#                            $WORK/run.log, pid in $game) and finds its window;
#                            fails (game stopped) when no window appears

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
  unset SDL_VIDEODRIVER
  export SDL_AUDIODRIVER=dummy
  export WORK
}

find_game_window() {
  w=""
  for i in $(seq 100); do
    w=$(xdotool search --name "Professor Bramblecot" 2>/dev/null | head -1)
    [ -n "$w" ] && return 0
    sleep 0.1
  done
  echo "no game window appeared"
  return 1
}

start_game() {
  # A freshly started X server may not accept clients at once on a busy
  # machine: wait until it answers.
  for i in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  ./bramblecot 1 > "$WORK/run.log" 2>&1 &
  game=$!
  if ! find_game_window; then
    kill -TERM $game 2>/dev/null
    wait $game
    return 1
  fi
}
