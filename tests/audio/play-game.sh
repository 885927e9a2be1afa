#!/bin/sh
# Under a display: starts the game from its runtime folder with the given
# preload, starts a new game once the splash has gone (keys reach the window
# under the pointer), lets it play until the command succeeds (at most 60 s)
# and quits with Alt + Q.
#
#   play-game.sh RUN_DIR PRELOAD COMMAND...
set -u
run_dir=$1
preload=$2
shift 2

(cd "$run_dir" && LD_PRELOAD="$preload" exec ./cubrava) &
game=$!
if ! timeout 30 xdotool search --sync --onlyvisible --name '^Cubrava$' >/dev/null 2>&1; then
    echo "FAIL: no game window"
    kill "$game" 2>/dev/null
    exit 1
fi
tries=300
while xdotool search --onlyvisible --name '^Cubrava splash$' >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || { echo "FAIL: the splash stays"; kill "$game"; exit 1; }
    sleep 0.1
done
xdotool key alt+n
tries=120
until "$@"; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || { echo "FAIL: the condition never held: $*"; break; }
    sleep 0.5
done
xdotool key alt+q
wait "$game"
