#!/bin/bash
# Under a private X display (run through scripts/with-xvfb): starts the scene
# demo, counts pixels of what must be on screen once it says its picture is
# still; then holds a camera key and checks the camera turned through the
# GLUT timers. Every wait has a deadline, none a set time.
#
#   scene_screenshot_check.sh DEMO XPROBE
set -u
demo=$1
XPROBE=$2
. "$(dirname "$0")/../support/xvfb/probe.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/scene-shot.XXXXXX")
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_demo() {
    "$demo" "$@" >"$work/demo.out" 2>"$work/demo.err" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Cubrava$' 2>/dev/null | head -n 1)
    if [ -z "$window" ]; then
        echo "no window titled Cubrava appeared"; cat "$work/demo.err"; exit 1
    fi
}

# still ARGS...: the demo started with ARGS, showing its still picture.
still() {
    start_demo "$@"
    wait_line "$work/demo.out" '^still$' 30 || { echo "the demo never showed its still picture"; exit 1; }
}

# The next demo's window must not be mistaken for this one's.
stop_demo() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
    local deadline=$((SECONDS + 30))
    while xdotool search --onlyvisible --name '^Cubrava$' >/dev/null 2>&1 && [ $SECONDS -lt $deadline ]; do
        sleep 0.1
    done
}

failed=0

# The window is 1024 x 768 at the top left: the scene takes the left 768
# columns, the preview the 256 x 256 square at the top of the right column.
scene="0,0,768,768"
preview="768,0,256,256"
column="768,256,256,512"

echo "== a level as it is shown before play"
still --steps 0
"$XPROBE" count \
    "grid grey 0.4:$scene:>=500:96-108,96-108,96-108" \
    "no grid in the column:$column:<=0:96-108,96-108,96-108" \
    "red cubes:$scene:>=300:150-255,0-80,0-80" \
    "green cubes:$scene:>=300:0-80,120-255,0-80" \
    "blue cubes:$scene:>=300:0-100,0-140,150-255" \
    "checker texture:$scene:>=50:30-75,30-75,30-75" \
    "yellow marker:$scene:>=100:120-255,120-255,0-60" \
    "white preview frame:$preview:>=400:240-255,240-255,240-255" \
    "no preview piece yet:$preview:<=0:150-255,0-120,150-255" || failed=1
stop_demo

echo "== play running: falling piece and the next one in the preview"
still --running --steps 40
"$XPROBE" count \
    "falling piece:$scene:>=1000:150-255,0-120,150-255" \
    "preview piece:$preview:>=300:100-255,0-120,100-255" \
    "wall markers white:$scene:>=1500:240-255,240-255,240-255" || failed=1
stop_demo

echo "== a layer bursting"
still --burst --steps 60
"$XPROBE" count "orange sparks:$scene:>=5000:200-255,100-190,0-90" || failed=1
stop_demo

echo "== holding S turns the camera every 15 ms"
start_demo
xdotool windowfocus --sync "$window"
xdotool keydown s
# Five ticks past the step the key makes at once: the timers turn it.
turned_enough() { awk '/^turned/ && $2 >= 12 { found = 1 } END { exit !found }' "$work/demo.out"; }
deadline=$((SECONDS + 30))
until turned_enough || [ $SECONDS -ge $deadline ]; do
    sleep 0.1
done
xdotool keyup s
xdotool key q
wait "$pid"
pid=""
tail -n 2 "$work/demo.out"
read -r turned held <<<"$(awk '/^turned .* in .* ms$/ {print int($2), $4}' "$work/demo.out")"
# One chain steps 2 degrees at most every 15 ms while the key is held (X key
# repeat must not start a second one); a busy machine only makes it slower.
if [ -z "$turned" ] || [ "$turned" -lt 12 ] || [ "$turned" -gt $((2 * (held / 15 + 2))) ]; then
    echo "camera turned ${turned:-?} degrees in ${held:-?} ms: want 12 up to 2 for every 15 ms"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "scene screenshots: all checks passed"
exit "$failed"
