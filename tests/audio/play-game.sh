#!/bin/sh
# Under a display: starts the game from its runtime folder with the given
# preload, starts a new game, lets it play, and quits with Alt + Q.
#
#   play-game.sh RUN_DIR PRELOAD SECONDS
set -u
run_dir=$1
preload=$2
seconds=$3

(cd "$run_dir" && LD_PRELOAD="$preload" exec ./cubrava) &
game=$!
if ! xdotool search --sync --onlyvisible --name '^Cubrava$' >/dev/null 2>&1; then
    echo "FAIL: no game window"
    kill "$game" 2>/dev/null
    exit 1
fi
sleep 1.5
xdotool key alt+n
sleep "$seconds"
xdotool key alt+q
wait "$game"
